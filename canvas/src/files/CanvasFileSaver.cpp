#include "CanvasFileSaver.h"

#include "TiffSaver.h"

#include "pixorama/canvo/InteractiveImage.h"
#include "pixorama/common/BitmapFile.h"
#include "pixorama/common/OSDIR.h"
#include "pixorama/common/PictureFile.h"
#include "pixorama/platform/AtomicFile.h"
#include "pixorama/platform/Dc.h"
#include "pixorama/platform/DibBitmap.h"
#include "pixorama/platform/GdiObjects.h"
#include "pixorama/platform/Modal.h"
#include "pixorama/platform/Strings.h"

#include <algorithm>
#include <cstring>
#include <new>

namespace {

const CString cancelled = L"NULL";

// Writes rows of one element type; a failed write leaves an existing file
// as it was.
template <typename T>
bool writeRows(const CString& path, const ClassData2DIO<T>& image)
{
    plat::AtomicFile file(plat::toPath(path));
    const std::size_t rowBytes = sizeof(T) * std::size_t(image.width);
    for (int y = 0; y < image.height; ++y)
        if (!file.write(image.rows[y], rowBytes))
            return false;
    return file.commit();
}

// r cut to the w x h area at the origin.
plat::Rect clipped(plat::Rect r, int w, int h)
{
    return {std::max(r.left, 0), std::max(r.top, 0), std::min(r.right, w), std::min(r.bottom, h)};
}

// The image pixels of a rectangle with both corners inclusive, cut to the
// w x h image.
plat::Rect imageCrop(const plat::Rect& r, int w, int h)
{
    return clipped({std::min(r.left, r.right), std::min(r.top, r.bottom), std::max(r.left, r.right) + 1,
                    std::max(r.top, r.bottom) + 1},
                   w, h);
}

// The picture rows (top row first) of a w x h picture of bits per pixel.
struct PictureRows {
    CImage picture;
    unsigned char** rows = nullptr;

    PictureRows(int w, int h, int bits)
    {
        if (picture.create(w, h, bits, true))
            rows = Create2DList(&picture);
    }
    ~PictureRows() { Release2DList(rows); }
    PictureRows(const PictureRows&) = delete;
    PictureRows& operator=(const PictureRows&) = delete;
};

// Copies window lines [r.top, r.bottom) x [r.left, r.right) of surface into
// a 24-bit picture: blue, green, red.
bool saveSurfaceArea(const plat::DibBitmap& surface, const plat::Rect& r, const CString& path)
{
    PictureRows out(r.width(), r.height(), 24);
    if (!out.rows)
        return false;
    for (int y = 0; y < r.height(); ++y) {
        const plat::Pixel* in = surface.line(r.top + y) + r.left;
        unsigned char* o = out.rows[y];
        for (int x = 0; x < r.width(); ++x, o += 3) {
            o[0] = static_cast<unsigned char>(in[x]);
            o[1] = static_cast<unsigned char>(in[x] >> 8);
            o[2] = static_cast<unsigned char>(in[x] >> 16);
        }
    }
    return out.picture.save(path);
}

// The measuring lines of the canvas, burnt into a crop whose top-left image
// pixel is origin: the line and its label in red.
void drawMeasureLines(InteractiveImage& canvas, plat::DibBitmap& crop, plat::Point origin)
{
    plat::Dc dc(crop);
    dc.selectPen(plat::Pen{plat::Pen::Solid, 1, plat::ColorRef{0x0000FF}});
    dc.selectFont(plat::Font{L"微软雅黑", 20, 400, false});
    dc.setTextColor(plat::ColorRef{0x0000FF});
    dc.setBkMode(plat::TRANSPARENT);
    for (const auto& overlay : canvas.overlays) {
        if (overlay->kind != OverlayMeasureLine || overlay->imagePoints.size() < 2)
            continue;
        const auto& a = overlay->imagePoints[0];
        const auto& b = overlay->imagePoints[1];
        const plat::Point from{int(a.x - origin.x), int(a.y - origin.y)};
        const plat::Point to{int(b.x - origin.x), int(b.y - origin.y)};
        dc.line(from, to);
        const CString text = overlay->GetText();
        if (text != cancelled && !text.empty())
            dc.textOut(to.x + 20, to.y - 20, text);
    }
}

} // namespace

void CanvasFileSaver::Failed()
{
    plat::messageBox(L"保存图像文件失败！");
}

Canvo* CanvasFileSaver::SelectedRect(InteractiveImage& canvas)
{
    for (const auto& overlay : canvas.overlays)
        if (overlay->kind == OverlayRect && overlay->selected)
            return overlay.get();
    return nullptr;
}

void CanvasFileSaver::SaveRaw(InteractiveImage& canvas)
{
    const CString path = OSDIR::GetRawFile();
    if (canvas.fileType == FileNothing || path == cancelled)
        return;
    // A picture has no float data: an empty file would only destroy
    // whatever the chosen name held.
    if (canvas.workingRaw.IsEmpty()) {
        plat::messageBox(L"没有可保存的浮点图像");
        return;
    }
    // A TIFF keeps the values as given when the canvas has them.
    if (TiffSaver::IsTiffName(path)) {
        if (!TiffSaver::SaveFloat(canvas.oriRaw.IsEmpty() ? canvas.workingRaw : canvas.oriRaw, path))
            Failed();
        return;
    }
    if (!writeRows(path, canvas.workingRaw))
        Failed();
}

void CanvasFileSaver::SaveLabel(InteractiveImage& canvas)
{
    canvas.GenerateLabel(false);
    const CString path = OSDIR::GetRawFile();
    if (path == cancelled)
        return;
    const ClassData2DIO<int>& label = canvas.LabelImage();
    if (label.IsEmpty()) {
        plat::messageBox(L"没有可保存的标记图像");
        return;
    }
    if (!writeRows(path, label))
        Failed();
}

void CanvasFileSaver::Save8bit(InteractiveImage& canvas)
{
    const CString path = OSDIR::GetBmpFile();
    if (canvas.fileType == FileNothing || path == cancelled)
        return;
    unsigned** rows = canvas.canvasSurface.CreateRowTable();
    if (!rows)
        return;
    const int w = canvas.canvasSurface.Width();
    const int h = canvas.canvasSurface.Height();
    ClassData2DIO<unsigned char> grey;
    try {
        grey.SetDim(w, h);
    } catch (const std::bad_alloc&) {
        canvas.canvasSurface.ReleaseRowTable();
        Failed();
        return;
    }
    // Luma weights in thousandths: a grey pixel keeps its level exactly,
    // where the weights in doubles sum to a little less than 1.
    for (int r = 0; r < h; ++r)
        for (int x = 0; x < w; ++x) {
            const unsigned v = rows[r][x];
            grey.rows[r][x] = static_cast<unsigned char>(((v >> 8 & 0xFF) * 587 + (v & 0xFF) * 114 + (v >> 16 & 0xFF) * 299) / 1000);
        }
    canvas.canvasSurface.ReleaseRowTable();
    if (!QEVSaveGrayBmp(plat::toUtf8(path).c_str(), grey))
        Failed();
}

void CanvasFileSaver::SaveClient(InteractiveImage& canvas, bool selectedRect)
{
    const CString path = OSDIR::GetBmpFile();
    if (canvas.fileType == FileNothing || path == cancelled || !canvas.clientSurface.Exists())
        return;
    const plat::DibBitmap& client = canvas.clientSurface.Bitmap();
    plat::Rect area = canvas.view.displayed;
    if (selectedRect) {
        const Canvo* rect = SelectedRect(canvas);
        area = rect ? rect->displayRect : plat::Rect{0, 0, client.width(), client.height()};
    }
    area = clipped(area, client.width(), client.height());
    if (area.isEmpty()) {
        Failed();
        return;
    }
    PictureRows out(area.width(), area.height(), 32);
    if (!out.rows) {
        Failed();
        return;
    }
    for (int y = 0; y < area.height(); ++y)
        std::memcpy(out.rows[y], client.line(area.top + y) + area.left, std::size_t(area.width()) * 4);
    if (!out.picture.save(path))
        Failed();
}

void CanvasFileSaver::SaveShown(InteractiveImage& canvas)
{
    const CString path = OSDIR::GetBmpFile();
    if (canvas.fileType == FileNothing || path == cancelled || !canvas.canvasSurface.Exists())
        return;
    const plat::DibBitmap& surface = canvas.canvasSurface.Bitmap();
    const int w = surface.width();
    const int h = surface.height();
    const Canvo* rect = SelectedRect(canvas);
    if (TiffSaver::IsTiffName(path)) {
        if (!TiffSaver::SaveShown16(canvas, rect ? imageCrop(rect->imageRect, w, h) : plat::Rect{0, 0, w, h}, path))
            Failed();
        return;
    }
    if (!rect) {
        if (!saveSurfaceArea(surface, {0, 0, w, h}, path))
            Failed();
        return;
    }
    const plat::Rect crop = imageCrop(rect->imageRect, w, h);
    if (crop.isEmpty()) {
        Failed();
        return;
    }
    try {
        plat::DibBitmap cropped(crop.width(), crop.height());
        for (int y = 0; y < crop.height(); ++y)
            std::memcpy(cropped.line(y), surface.line(crop.top + y) + crop.left,
                        std::size_t(crop.width()) * sizeof(plat::Pixel));
        drawMeasureLines(canvas, cropped, {crop.left, crop.top});
        if (!saveSurfaceArea(cropped, {0, 0, crop.width(), crop.height()}, path))
            Failed();
    } catch (const std::bad_alloc&) {
        Failed();
    }
}
