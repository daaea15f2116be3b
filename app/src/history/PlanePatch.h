#pragma once

#include "PlaneAccess.h"

#include "pixorama/common/ClassData2DIO.h"
#include "pixorama/platform/Types.h"

#include <cstddef>
#include <memory>
#include <vector>

class DibSurface;

// Rows firstRow .. firstRow + rowCount - 1 of one version of a plane whose
// full size was width x height. Swapping a patch with its plane puts the
// stored rows in the plane and keeps the plane's rows instead, so one patch
// serves undo and redo in turn.
class PlanePatch {
public:
    PlanePatch() = default;

    // The whole plane as it is now.
    static PlanePatch Copy(PlaneAccess& plane);
    // The whole raw image or colour plane as it is now, by taking its
    // buffer: image is left with a spare buffer of its size, or empty.
    template <typename T>
    static PlanePatch Take(ClassData2DIOGeneral<T>& image);
    // The same for a canvas surface that exists.
    static PlanePatch Take(DibSurface& surface);
    // A whole label image of width x height, every label value; kept as
    // the value until the patch is swapped in.
    static PlanePatch UniformLabel(int width, int height, int value);
    // The first and last rows where the plane now differs from a whole
    // copy, within part `part` of `parts` equal parts of the rows; the spans
    // of all parts joined are the span of the whole. Reads only: planes
    // and parts may be compared side by side on several threads.
    struct RowSpan {
        bool any = false; // false: no row differs
        int first = 0;
        int last = -1;
    };
    RowSpan ChangedRows(PlaneAccess& plane, int part, int parts) const;
    static RowSpan Join(RowSpan a, RowSpan b);
    RowSpan AllRows() const { return {true, 0, height - 1}; }
    bool CoversAll(RowSpan rows) const { return rows.any && rows.first <= 0 && rows.last >= height - 1; }
    // Narrows a whole copy to those rows; false (and the patch emptied)
    // when nothing differs.
    bool KeepRows(RowSpan changed);
    void Swap(PlaneAccess& plane);

    // True while the patch holds a buffer taken from its plane.
    bool Taken() const { return takenRaw || takenPlane || takenSurface; }
    // The pixels of a taken surface, else null.
    const plat::Pixel* TakenPixels() const { return takenSurface ? takenSurface->data() : nullptr; }
    bool Empty() const { return !bytes && !takenRaw && !takenPlane && !takenSurface && fill < 0; }
    std::size_t Bytes() const { return size; }

private:
    // Large buffers go to the spares.
    struct Free {
        std::size_t size;
        void operator()(unsigned char* p) const;
    };
    // A taken raw or plane goes to the spares.
    struct GiveBack {
        void operator()(ClassData2DIO<float>* image) const;
        void operator()(ClassData2DIO<unsigned char>* plane) const;
        void operator()(std::vector<plat::Pixel>* pixels) const;
    };

    unsigned char* Row(int r) const;
    void Hold(ClassData2DIO<float>* image) { takenRaw.reset(image); }
    void Hold(ClassData2DIO<unsigned char>* plane) { takenPlane.reset(plane); }
    bool SameShape(PlaneAccess& plane) const;
    void Allocate(std::size_t count);
    void SwapRows(PlaneAccess& plane);
    void SwapWhole(PlaneAccess& plane);
    void SwapFill(PlaneAccess& plane);

    int width = 0;
    int height = 0;
    std::size_t pixelBytes = 0;
    std::size_t rowBytes = 0;
    int firstRow = 0;
    int rowCount = 0;
    std::size_t size = 0;
    std::unique_ptr<unsigned char, Free> bytes;
    // Either holds a taken buffer instead of bytes.
    std::unique_ptr<ClassData2DIO<float>, GiveBack> takenRaw;
    std::unique_ptr<ClassData2DIO<unsigned char>, GiveBack> takenPlane;
    std::unique_ptr<std::vector<plat::Pixel>, GiveBack> takenSurface;
    int fill = -1;                                          // >= 0: every label this, no bytes
};
