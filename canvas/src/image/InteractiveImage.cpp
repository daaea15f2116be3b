#include "pixorama/canvo/InteractiveImage.h"

#include "FloatKernels.h"

#include "pixorama/common/NumericTruncate.h"
#include "pixorama/common/RowSplit.h"
#include "pixorama/platform/Assert.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <new>
#include <utility>
#include <vector>

namespace {

using floatkernels::Range;

// Whether the n bytes at p overlap the pixels of image.
bool overlaps(const void* p, std::size_t n, const ClassData2DIO<float>& image)
{
    if (image.IsEmpty())
        return false;
    const auto* a = static_cast<const unsigned char*>(p);
    const auto* b = reinterpret_cast<const unsigned char*>(image.data);
    const std::size_t size = std::size_t(image.width) * std::size_t(image.height) * sizeof(float);
    return a < b + size && b < a + n;
}

// Gives image that size, keeping its buffer when it has it already.
void ensureSize(ClassData2DIO<float>& image, int width, int height)
{
    if (image.width == width && image.height == height && image.rows && image.ownsData && image.ownsRows)
        return;
    ClassData2DIO<float> fresh;
    fresh.SetDim(width, height);
    fresh.SwapPixels(image);
}

} // namespace

template <typename T>
bool InteractiveImage::Rows<T>::Valid() const
{
    return (rows || data) && width > 0 && height > 0 && std::int64_t(width) * height <= std::numeric_limits<int>::max();
}

void InteractiveImage::Resize(int width, int height, bool clearOverlays)
{
    PrepareCanvas(std::max(width, 0), std::max(height, 0), clearOverlays);
    imageWidth = canvasSurface.Width();
    imageHeight = canvasSurface.Height();
    TellPictureChanged();
}

void InteractiveImage::TellPictureChanged() const
{
    if (pictureChanged)
        pictureChanged();
}

bool InteractiveImage::Prepare(int width, int height, bool clearOverlays, FileType type)
{
    fileType = type;
    Resize(width, height, clearOverlays);
    if (canvasSurface.Exists())
        return true;
    RawsWillChange(true);
    oriRaw.Clear();
    workingRaw.Clear();
    fileType = FileNothing;
    return false;
}

plat::DibBitmap* InteractiveImage::PreparePicture(int width, int height, bool clearOverlays)
{
    RawsWillChange(true);
    oriRaw.Clear();
    workingRaw.Clear();
    return Prepare(width, height, clearOverlays, FilePicture8) ? &canvasSurface.Bitmap() : nullptr;
}

void InteractiveImage::LendWorkingRaw(ClassData2DIO<float>& into)
{
    RawsWillChange(false);
    into.Clear();
    workingRaw.SwapPixels(into);
}

void InteractiveImage::ShowNothing()
{
    RawsWillChange(true);
    oriRaw.Clear();
    workingRaw.Clear();
    fileType = FileNothing;
    Resize(0, 0, true);
}

void InteractiveImage::ShowBlank(int width, int height)
{
    Resize(width, height, true);
}

void InteractiveImage::ReturnWorkingRaw(ClassData2DIO<float>& from)
{
    RawsWillChange(false);
    workingRaw.SwapPixels(from);
    from.Clear();
}

template <typename T>
bool InteractiveImage::Rows<T>::Overlaps(const ClassData2DIO<float>& image) const
{
    for (int y = 0; y < height; ++y)
        if (overlaps(Row(y), std::size_t(width) * sizeof(T), image))
            return true;
    return false;
}

template <typename T>
bool InteractiveImage::Rows<T>::Is(const ClassData2DIO<float>& image) const
{
    if (image.IsEmpty() || image.width != width || image.height != height)
        return false;
    for (int y = 0; y < height; ++y)
        if (static_cast<const void*>(Row(y)) != static_cast<const void*>(image.rows[y]))
            return false;
    return true;
}

bool InteractiveImage::ShowFloat(const Rows<float>& image, bool keepOriginal, bool clearOverlays)
{
    if (!image.Valid())
        return false;
    const int w = image.width;
    const int h = image.height;
    const std::size_t rowBytes = std::size_t(w) * sizeof(float);
    Range range = Range::empty();
    try {
        // Callers show our own raws again after changing them in place: each
        // row then copies onto itself or from the ori raw into the working
        // raw. Any other overlap goes through a private copy first.
        Rows<float> source = image;
        ClassData2DIO<float> detached;
        if (!image.Is(workingRaw) && !image.Is(oriRaw) && (image.Overlaps(workingRaw) || image.Overlaps(oriRaw))) {
            detached.SetDim(w, h);
            for (int y = 0; y < h; ++y)
                std::memcpy(detached.rows[y], image.Row(y), rowBytes);
            source = {detached.rows, detached.data, w, h};
        }
        const bool sourceIsOri = source.Is(oriRaw);
        RawsWillChange(!sourceIsOri && !source.Is(workingRaw));
        ensureSize(workingRaw, w, h);
        if (keepOriginal)
            ensureSize(oriRaw, w, h);
        const int threads = RowSplit::threadCount();
        std::vector<Range> ranges(std::size_t(threads), Range::empty());
        RowSplit::runWorkers(h, threads, [&](int worker, int begin, int end) {
            Range& part = ranges[std::size_t(worker)];
            for (int y = begin; y < end; ++y) {
                floatkernels::copyAndMeasure(workingRaw.rows[y], source.Row(y), w, part);
                if (keepOriginal && !sourceIsOri)
                    std::memcpy(oriRaw.rows[y], workingRaw.rows[y], rowBytes);
            }
        });
        for (const Range& part : ranges)
            range.merge(part);
        if (!keepOriginal)
            oriRaw.Clear();
    } catch (const std::bad_alloc&) {
        return false;
    }
    if (!Prepare(w, h, clearOverlays, FileFloat))
        return false;
    if (range.infinite()) {
        // Rare: infinities would flatten every finite value.
        Range finite = Range::empty();
        for (int y = 0; y < h; ++y)
            floatkernels::measureFinite(workingRaw.rows[y], w, finite);
        if (!finite.infinite())
            range = finite;
    }
    if (!range.infinite() && std::fabs(double(range.hi) - double(range.lo)) >= 1e-10)
        RowSplit::run(h, [&](int begin, int end) {
            for (int y = begin; y < end; ++y)
                floatkernels::rescale(workingRaw.rows[y], w, range.lo, range.hi);
        });
    // A visible contrast slider keeps its window for the new image.
    if (contrastShown)
        SetLutPara(slider.leftFraction, slider.rightFraction);
    else
        SetLutPara(0.0f, 1.0f);
    return true;
}

bool InteractiveImage::ShowGray(const Rows<unsigned char>& image, bool clearOverlays)
{
    plat::DibBitmap* surface = image.Valid() ? PreparePicture(image.width, image.height, clearOverlays) : nullptr;
    if (!surface)
        return false;
    for (int y = 0; y < imageHeight; ++y) {
        const unsigned char* in = image.Row(y);
        plat::Pixel* out = surface->line(y);
        for (int x = 0; x < imageWidth; ++x)
            out[x] = plat::Pixel(in[x]) * 0x010101u;
    }
    return true;
}

bool InteractiveImage::ShowColour(const Rows<unsigned char>& r, const Rows<unsigned char>& g,
                                  const Rows<unsigned char>& b, bool clearOverlays)
{
    const auto sameSize = [&r](const Rows<unsigned char>& p) { return p.width == r.width && p.height == r.height; };
    if (!r.Valid() || !g.Valid() || !b.Valid() || !sameSize(g) || !sameSize(b))
        return false;
    plat::DibBitmap* surface = PreparePicture(r.width, r.height, clearOverlays);
    if (!surface)
        return false;
    for (int y = 0; y < imageHeight; ++y) {
        const unsigned char* red = r.Row(y);
        const unsigned char* green = g.Row(y);
        const unsigned char* blue = b.Row(y);
        plat::Pixel* out = surface->line(y);
        for (int x = 0; x < imageWidth; ++x)
            out[x] = plat::Pixel(red[x]) << 16 | plat::Pixel(green[x]) << 8 | blue[x];
    }
    return true;
}

bool InteractiveImage::ShowFloatTaking(ClassData2DIO<float>& image, bool keepOriginal, bool clearOverlays)
{
    if (!Rows<float>{image.rows, nullptr, image.width, image.height}.Valid())
        return false;
    RawsWillChange(true);
    workingRaw.SwapPixels(image);
    return ShowFloat({workingRaw.rows, nullptr, workingRaw.width, workingRaw.height}, keepOriginal, clearOverlays);
}

bool InteractiveImage::ShowPixels(const Rows<plat::Pixel>& image, bool clearOverlays)
{
    plat::DibBitmap* surface = image.Valid() ? PreparePicture(image.width, image.height, clearOverlays) : nullptr;
    if (!surface)
        return false;
    for (int y = 0; y < imageHeight; ++y) {
        const plat::Pixel* in = image.Row(y);
        plat::Pixel* out = surface->line(y);
        for (int x = 0; x < imageWidth; ++x)
            out[x] = in[x] & 0xFFFFFFu;
    }
    return true;
}

void InteractiveImage::RawsWillChange(bool replaced)
{
    if (overlayWatcher)
        overlayWatcher->BeforeRawsChange(*this, replaced);
}

void InteractiveImage::SetLutPara(float left, float right)
{
    if (fileType != FileFloat)
        return;
    const int a = pixTruncToInt(left * 65535.0f);
    const int b = pixTruncToInt(right * 65535.0f);
    if (b > a)
        lut.SetRange(a, b);
    else
        lut.GetMapUs();
    GenerateLabel(true);
    MapThroughLut();
}

void InteractiveImage::MapThroughLut()
{
    const int w = std::min(imageWidth, canvasSurface.Width());
    const int h = std::min(imageHeight, canvasSurface.Height());
    if (w <= 0 || h <= 0 || workingRaw.IsEmpty() || workingRaw.width < w || workingRaw.height < h)
        return;
    if (uniformLabel == 0)
        return;
    PIX_ASSERT(lut.usMap && lut.usMap->width * lut.usMap->height == 65536,
               "the display table has one entry per 16-bit value");
    // One display pixel per table entry, so the loop is a lookup and a store.
    std::vector<plat::Pixel> grey(65536);
    const int* map = lut.usMap->data;
    for (std::size_t v = 0; v < grey.size(); ++v)
        grey[v] = plat::Pixel(map[v] & 0xFF) * 0x010101u;
    const plat::Pixel* table = grey.data();
    const bool everywhere = uniformLabel > 0;
    canvasSurface.WillChange(everywhere && w == canvasSurface.Width() && h == canvasSurface.Height());
    plat::DibBitmap& surface = canvasSurface.Bitmap();
    RowSplit::run(h, [&](int begin, int end) {
        for (int r = begin; r < end; ++r)
            floatkernels::mapThroughTable(surface.row(r), workingRaw.rows[h - 1 - r],
                                          everywhere ? nullptr : label.rows[r], w, table);
    });
}

float InteractiveImage::PixelValue(plat::Point display)
{
    if (imageWidth <= 0 || imageHeight <= 0)
        return -1.0f;
    const PointTemplateBase<double> p = view.ClampToImage(view.ToImage(display));
    const int x = int(p.x);
    const int y = int(p.y);
    switch (fileType) {
    case FileRawOther:
    case FileFloat:
        // Shown without keeping the original: nothing to read.
        if (oriRaw.IsEmpty() || x >= oriRaw.width || y >= oriRaw.height)
            return -1.0f;
        return oriRaw.rows[y][x];
    case FilePicture8: {
        if (x >= canvasSurface.Width() || y >= canvasSurface.Height())
            return -1.0f;
        // Luma weights in thousandths: integer arithmetic keeps a grey
        // level exact, where 0.587 + 0.299 + 0.114 in doubles falls short of 1.
        const plat::Pixel v = std::as_const(canvasSurface).Bitmap().line(y)[x];
        const int blue = int(v & 0xFF);
        const int green = int(v >> 8 & 0xFF);
        const int red = int(v >> 16 & 0xFF);
        return float((green * 587 + red * 299 + blue * 114) / 1000);
    }
    default:
        return -1.0f;
    }
}

template struct InteractiveImage::Rows<float>;
template struct InteractiveImage::Rows<unsigned char>;
template struct InteractiveImage::Rows<plat::Pixel>;
