#pragma once

#include <array>
#include <memory>
#include <vector>

class Canvo;
class InteractiveDC;

// The overlay list of a canvas as it was: the order of the overlays, their
// numbers, the selection and the per-kind counters, with the overlays that
// are no longer on the canvas kept alive here. Swapping with the canvas
// exchanges the two versions, so one record serves undo and redo in turn.
class OverlayRecord {
public:
    static OverlayRecord Of(const InteractiveDC& dc);

    bool SameAs(const InteractiveDC& dc) const;
    // Overlays deleted while the record was the canvas's past.
    void Keep(std::unique_ptr<Canvo> gone);
    // Drops kept overlays that the recorded list does not name.
    void DropUnnamed();
    void Swap(InteractiveDC& dc);

private:
    struct Entry {
        Canvo* overlay = nullptr;
        int ordinal = 0;
        int kindOrdinal = 0;
        bool selected = false;
    };
    static constexpr int counterCount = 12;
    static std::array<int*, counterCount> Counters(InteractiveDC& dc);

    std::vector<Entry> entries;
    std::array<int, counterCount> counters{};
    int selectedIndex = -1;
    std::vector<std::unique_ptr<Canvo>> kept;
};
