#include "PlanePatch.h"

#include "Spares.h"

#include "pixorama/canvo/DibSurface.h"
#include "pixorama/common/AlignedBuffer.h"
#include "pixorama/common/RowSplit.h"
#include "pixorama/platform/Assert.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

namespace {

// Exchanges n bytes in word-sized steps; both rows start on the same
// alignment as their row length allows.
void swapBytes(unsigned char* __restrict a, unsigned char* __restrict b, std::size_t n)
{
    std::size_t i = 0;
    for (; i + sizeof(std::uint64_t) <= n; i += sizeof(std::uint64_t)) {
        std::uint64_t x;
        std::uint64_t y;
        std::memcpy(&x, a + i, sizeof x);
        std::memcpy(&y, b + i, sizeof y);
        std::memcpy(a + i, &y, sizeof y);
        std::memcpy(b + i, &x, sizeof x);
    }
    for (; i < n; ++i) {
        const unsigned char t = a[i];
        a[i] = b[i];
        b[i] = t;
    }
}

} // namespace

void PlanePatch::Free::operator()(unsigned char* p) const
{
    Spares::GiveBytes(p, size);
}

void PlanePatch::GiveBack::operator()(ClassData2DIO<float>* image) const
{
    Spares::Give(std::unique_ptr<ClassData2DIO<float>>(image));
}

void PlanePatch::GiveBack::operator()(ClassData2DIO<unsigned char>* plane) const
{
    Spares::Give(std::unique_ptr<ClassData2DIO<unsigned char>>(plane));
}

void PlanePatch::GiveBack::operator()(std::vector<plat::Pixel>* pixels) const
{
    Spares::GivePixels(std::move(*pixels));
    delete pixels;
}

unsigned char* PlanePatch::Row(int r) const
{
    if (takenSurface)
        return reinterpret_cast<unsigned char*>(takenSurface->data() + std::size_t(r) * std::size_t(width));
    if (takenRaw)
        return reinterpret_cast<unsigned char*>(takenRaw->rows[r]);
    if (takenPlane)
        return takenPlane->rows[r];
    return bytes.get() + std::size_t(r - firstRow) * rowBytes;
}

void PlanePatch::Allocate(std::size_t count)
{
    size = count;
    unsigned char* p = nullptr;
    if (count) {
        p = Spares::TakeBytes(count);
        if (!p)
            p = static_cast<unsigned char*>(pixAlignedAlloc(count));
    }
    bytes = std::unique_ptr<unsigned char, Free>(p, Free{count});
}

PlanePatch PlanePatch::Copy(PlaneAccess& plane)
{
    PlanePatch patch;
    patch.width = plane.Width();
    patch.height = plane.Height();
    patch.pixelBytes = plane.PixelBytes();
    patch.rowBytes = plane.RowBytes();
    patch.rowCount = patch.height;
    patch.Allocate(patch.rowBytes * std::size_t(patch.height));
    for (int r = 0; r < patch.height; ++r)
        std::memcpy(patch.Row(r), plane.Row(r), patch.rowBytes);
    return patch;
}

template <typename T>
PlanePatch PlanePatch::Take(ClassData2DIOGeneral<T>& image)
{
    PlanePatch patch;
    if (!image.IsEmpty()) {
        patch.width = image.width;
        patch.height = image.height;
    }
    patch.pixelBytes = sizeof(T);
    patch.rowBytes = std::size_t(patch.width) * sizeof(T);
    patch.rowCount = patch.height;
    patch.size = patch.rowBytes * std::size_t(patch.height);
    auto* held = new ClassData2DIO<T>;
    patch.Hold(held);
    held->SwapPixels(image);
    Spares::PutInto(image, patch.width, patch.height);
    return patch;
}

PlanePatch PlanePatch::Take(DibSurface& surface)
{
    PlanePatch patch;
    patch.width = surface.Width();
    patch.height = surface.Height();
    patch.pixelBytes = sizeof(plat::Pixel);
    patch.rowBytes = std::size_t(patch.width) * sizeof(plat::Pixel);
    patch.rowCount = patch.height;
    patch.size = patch.rowBytes * std::size_t(patch.height);
    patch.takenSurface.reset(new std::vector<plat::Pixel>(Spares::TakePixels(std::size_t(patch.width) * std::size_t(patch.height))));
    surface.SwapPixels(*patch.takenSurface);
    return patch;
}

template PlanePatch PlanePatch::Take(ClassData2DIOGeneral<float>&);
template PlanePatch PlanePatch::Take(ClassData2DIOGeneral<unsigned char>&);

PlanePatch PlanePatch::UniformLabel(int width, int height, int value)
{
    PlanePatch patch;
    patch.width = width;
    patch.height = height;
    patch.pixelBytes = sizeof(int);
    patch.rowBytes = std::size_t(width) * sizeof(int);
    patch.rowCount = height;
    patch.fill = value;
    return patch;
}

bool PlanePatch::SameShape(PlaneAccess& plane) const
{
    return plane.Width() == width && plane.Height() == height && plane.PixelBytes() == pixelBytes;
}

PlanePatch::RowSpan PlanePatch::ChangedRows(PlaneAccess& plane, int part, int parts) const
{
    if (!SameShape(plane))
        return {true, 0, height - 1}; // a new size: the whole plane is the step
    const RowSplit::Range rows = RowSplit::range(part, parts, height);
    int first = rows.begin;
    while (first < rows.end && std::memcmp(Row(first), plane.Row(first), rowBytes) == 0)
        ++first;
    if (first == rows.end)
        return {};
    int last = rows.end - 1;
    while (last > first && std::memcmp(Row(last), plane.Row(last), rowBytes) == 0)
        --last;
    return {true, first, last};
}

PlanePatch::RowSpan PlanePatch::Join(RowSpan a, RowSpan b)
{
    if (!a.any)
        return b;
    if (!b.any)
        return a;
    return {true, std::min(a.first, b.first), std::max(a.last, b.last)};
}

bool PlanePatch::KeepRows(RowSpan changed)
{
    if (!changed.any) {
        *this = PlanePatch();
        return false;
    }
    if (CoversAll(changed))
        return true;
    const int first = changed.first;
    const int last = changed.last;
    PlanePatch narrow;
    narrow.width = width;
    narrow.height = height;
    narrow.pixelBytes = pixelBytes;
    narrow.rowBytes = rowBytes;
    narrow.firstRow = first;
    narrow.rowCount = last - first + 1;
    narrow.Allocate(rowBytes * std::size_t(narrow.rowCount));
    for (int r = first; r <= last; ++r)
        std::memcpy(narrow.Row(r), Row(r), rowBytes);
    *this = std::move(narrow);
    return true;
}

void PlanePatch::Swap(PlaneAccess& plane)
{
    if (fill >= 0)
        SwapFill(plane);
    else if (SameShape(plane))
        SwapRows(plane);
    else
        SwapWhole(plane);
}

void PlanePatch::SwapRows(PlaneAccess& plane)
{
    for (int r = firstRow; r < firstRow + rowCount; ++r)
        swapBytes(Row(r), plane.Row(r), rowBytes);
}

// Only whole-plane patches change a plane's size, so the plane's present
// version is kept whole too.
void PlanePatch::SwapWhole(PlaneAccess& plane)
{
    PIX_ASSERT(firstRow == 0 && rowCount == height, "steps are taken back in order, so a part of a plane meets its own size");
    PlanePatch present = Copy(plane);
    plane.Resize(width, height);
    for (int r = 0; r < rowCount; ++r)
        std::memcpy(plane.Row(r), Row(r), rowBytes);
    *this = std::move(present);
}

void PlanePatch::SwapFill(PlaneAccess& plane)
{
    PlanePatch present = Copy(plane);
    if (!SameShape(plane))
        plane.Resize(width, height);
    for (int r = 0; r < height; ++r) {
        int* labels = reinterpret_cast<int*>(plane.Row(r));
        std::fill(labels, labels + width, fill);
    }
    *this = std::move(present);
}
