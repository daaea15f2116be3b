#include "OverlayRecord.h"

#include "pixorama/canvo/InteractiveDC.h"

#include <algorithm>

std::array<int*, OverlayRecord::counterCount> OverlayRecord::Counters(InteractiveDC& dc)
{
    return {&dc.rectCount,     &dc.customRectCount,  &dc.polygonCount, &dc.splineCount,
            &dc.freeRegionCount, &dc.regionTotal,    &dc.strokeCount,  &dc.textCount,
            &dc.measureLineCount, &dc.angle3Count,   &dc.angle4Count,  &dc.overlayTotal};
}

OverlayRecord OverlayRecord::Of(const InteractiveDC& dc)
{
    OverlayRecord record;
    for (const std::unique_ptr<Canvo>& overlay : dc.overlays)
        record.entries.push_back({overlay.get(), overlay->ordinal, overlay->kindOrdinal, overlay->selected});
    const auto counters = Counters(const_cast<InteractiveDC&>(dc));
    for (int i = 0; i < counterCount; ++i)
        record.counters[std::size_t(i)] = *counters[std::size_t(i)];
    record.selectedIndex = dc.selectedIndex;
    return record;
}

bool OverlayRecord::SameAs(const InteractiveDC& dc) const
{
    const OverlayRecord now = Of(dc);
    const auto same = [](const Entry& a, const Entry& b) {
        return a.overlay == b.overlay && a.ordinal == b.ordinal && a.kindOrdinal == b.kindOrdinal &&
               a.selected == b.selected;
    };
    return now.counters == counters && now.selectedIndex == selectedIndex &&
           std::equal(entries.begin(), entries.end(), now.entries.begin(), now.entries.end(), same);
}

void OverlayRecord::Keep(std::unique_ptr<Canvo> gone)
{
    if (gone)
        kept.push_back(std::move(gone));
}

void OverlayRecord::DropUnnamed()
{
    std::erase_if(kept, [this](const std::unique_ptr<Canvo>& overlay) {
        return std::none_of(entries.begin(), entries.end(),
                            [&](const Entry& e) { return e.overlay == overlay.get(); });
    });
}

void OverlayRecord::Swap(InteractiveDC& dc)
{
    OverlayRecord present = Of(dc);
    std::vector<std::unique_ptr<Canvo>> pool = std::move(dc.overlays);
    for (std::unique_ptr<Canvo>& overlay : kept)
        pool.push_back(std::move(overlay));
    dc.overlays.clear();
    for (const Entry& e : entries) {
        const auto found = std::find_if(pool.begin(), pool.end(),
                                        [&](const std::unique_ptr<Canvo>& o) { return o.get() == e.overlay; });
        if (found == pool.end())
            continue;
        Canvo& overlay = **found;
        overlay.ordinal = e.ordinal;
        overlay.kindOrdinal = e.kindOrdinal;
        overlay.selected = e.selected;
        overlay.AttachView(&dc.view);
        dc.overlays.push_back(std::move(*found));
        pool.erase(found);
    }
    const auto targets = Counters(dc);
    for (int i = 0; i < counterCount; ++i)
        *targets[std::size_t(i)] = counters[std::size_t(i)];
    dc.selectedIndex = std::min(selectedIndex, int(dc.overlays.size()) - 1);
    // Overlays drawn since stay with the present version.
    present.kept = std::move(pool);
    *this = std::move(present);
}
