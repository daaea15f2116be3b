#include "pixorama/canvo/InteractiveImaInfo.h"

#include "OverlayText.h"

#include "pixorama/canvo/InteractiveImage.h"
#include "pixorama/common/NumericTruncate.h"
#include "pixorama/platform/Translation.h"

void InteractiveImaInfo::OnMouseMove(unsigned, plat::Point pt)
{
    mousePoint = pt;
    DragTo(pt);
    lines.clear();
    const PointTemplateBase<double> at = ToImage(pt);
    AddLine(formatOverlayText(L"%d %d", pixTruncToInt(at.x), pixTruncToInt(at.y)));
    if (!canvas || !view) {
        AddLine(plat::tr(L"没有图像数据"));
        return;
    }
    const PointTemplateBase<double> clamped = view->ClampToImage(at);
    const int x = pixTruncToInt(clamped.x);
    const int y = pixTruncToInt(clamped.y);
    const auto inside = [x, y](const ClassData2DIO<float>& image) {
        return !image.IsEmpty() && x >= 0 && y >= 0 && x < image.width && y < image.height;
    };
    const plat::DibBitmap& surface = canvas->canvasSurface.Bitmap();
    if (canvas->fileType == FileFloat && inside(canvas->oriRaw) && inside(canvas->workingRaw)) {
        AddLine(formatOverlayText(L"ori raw value = %5.3f", double(canvas->oriRaw.rows[y][x])));
        AddLine(formatOverlayText(L"raw value = %5.3f", double(canvas->workingRaw.rows[y][x])));
    } else if (canvas->fileType == FilePicture8 && x >= 0 && y >= 0 && x < surface.width() && y < surface.height()) {
        const plat::Pixel v = surface.line(y)[x];
        AddLine(formatOverlayText(L"R = %d G=%d B=%d", int(v >> 16 & 0xFF), int(v >> 8 & 0xFF), int(v & 0xFF)));
    } else {
        AddLine(plat::tr(L"没有图像数据"));
    }
}
