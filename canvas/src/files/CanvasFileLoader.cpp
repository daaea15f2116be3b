#include "CanvasFileLoader.h"

#include "CanvasPictureReader.h"
#include "CanvasRawReader.h"

#include "pixorama/canvo/InteractiveImage.h"
#include "pixorama/common/OSCString.h"
#include "pixorama/parlet/DlgGet.h"
#include "pixorama/platform/Assert.h"
#include "pixorama/platform/Modal.h"

#include <algorithm>
#include <new>
#include <utility>

namespace {

// Extensions of raw detector data; "nul" is what a name without one gives.
bool isRawExtension(const CString& ext)
{
    return ext == L"raw" || ext == L"hraw" || ext == L"his" || ext == L"nul";
}

bool showDecoded(InteractiveImage& canvas, const DecodedPicture& p, bool keepOriginal)
{
    PIX_ASSERT(int(!p.values.empty()) + int(!p.grey.empty()) + int(!p.colour.empty()) <= 1,
               "a decoded picture comes in one form only");
    PIX_ASSERT((p.values.empty() || p.values.size() == p.PixelCount())
                   && (p.grey.empty() || p.grey.size() == p.PixelCount())
                   && (p.colour.empty() || p.colour.size() == p.PixelCount()),
               "a decoder's pixels cover width x height exactly");
    if (!p.values.empty())
        return canvas.ShowFloat({nullptr, p.values.data(), p.width, p.height}, keepOriginal, true);
    if (!p.grey.empty())
        return canvas.ShowGray({nullptr, p.grey.data(), p.width, p.height}, true);
    if (!p.colour.empty())
        return canvas.ShowPixels({nullptr, p.colour.data(), p.width, p.height}, true);
    return false;
}

// The file's window, as fractions of the values' range, and its
// inversion. The working raw spans the values' range linearly.
void applyWindow(InteractiveImage& canvas, const DecodedPicture& p)
{
    if (!p.inverted && !p.hasWindow)
        return;
    const auto [lo, hi] = std::minmax_element(p.values.begin(), p.values.end());
    const double range = double(*hi) - double(*lo);
    if (range < 1e-10)
        return;
    if (p.inverted)
        canvas.InvertWorkingRaw();
    double left = 0.0;
    double right = 1.0;
    if (p.hasWindow) {
        left = std::clamp((p.windowCentre - p.windowWidth / 2 - *lo) / range, 0.0, 1.0);
        right = std::clamp((p.windowCentre + p.windowWidth / 2 - *lo) / range, 0.0, 1.0);
    }
    if (p.inverted)
        std::tie(left, right) = std::pair(1.0 - right, 1.0 - left);
    canvas.SetLutPara(float(left), float(right));
}

void tell(const std::vector<CString>& warnings)
{
    CString text;
    for (const CString& w : warnings)
        text += (text.empty() ? L"" : L"\n") + w;
    if (!text.empty())
        plat::messageBox(text);
}

// The picture shown stays until a new one is read whole.
bool loadRaw(InteractiveImage& canvas, const CString& path, bool keepOriginal)
{
    tagQEVImaLoadPara para;
    if (!gDlgGetImaLoadPara(para))
        return false;
    // A frame of the size shown before is decoded into the same buffer,
    // which goes back untouched when the file is refused before reading.
    ClassData2DIO<float> image;
    canvas.LendWorkingRaw(image);
    const CanvasRawReader::Result result = CanvasRawReader::Read(path, para, image);
    if (result.status != CanvasRawReader::Status::Ok)
        plat::messageBox(CanvasRawReader::Message(result, para));
    // A missing file is shown all the same, as zeros of the size asked for.
    if (result.status != CanvasRawReader::Status::Ok && result.status != CanvasRawReader::Status::Missing) {
        if (CanvasRawReader::RefusedBeforeReading(result.status))
            canvas.ReturnWorkingRaw(image);
        else
            canvas.ShowNothing();
        return false;
    }
    if (para.bUseMapRange == 0)
        return canvas.ShowFloatTaking(image, keepOriginal, true);
    ClassData2DIO<unsigned char> grey;
    try {
        CanvasRawReader::MapRange(image, para, grey);
    } catch (const std::bad_alloc&) {
        canvas.ShowNothing();
        plat::messageBox(L"内存不足，无法读取图像");
        return false;
    }
    return canvas.ShowGray({grey.rows, grey.data, grey.width, grey.height}, true);
}

} // namespace

bool CanvasFileLoader::Show(InteractiveImage& canvas, const DecodedPicture& picture, bool keepOriginal)
{
    if (!picture.Decoded()) {
        // Nothing decoded: the picture shown before stays.
        plat::messageBox(picture.message.empty() ? CString(L"图像太大，无法显示") : picture.message);
        return false;
    }
    if (showDecoded(canvas, picture, keepOriginal)) {
        if (!picture.values.empty())
            applyWindow(canvas, picture);
        // Measurements read millimetres when the file gives the spacing.
        if (picture.pixelSpacing > 0)
            canvas.measureScale = picture.pixelSpacing;
        tell(picture.warnings);
        return true;
    }
    canvas.ShowNothing();
    plat::messageBox(L"图像太大，无法显示");
    return false;
}

bool CanvasFileLoader::Claims(const CString& path)
{
    return isRawExtension(OSCString::GetExt(path)) || CanvasPictureReader::Claims(path);
}

bool CanvasFileLoader::Load(InteractiveImage& canvas, const CString& path, bool keepOriginal)
{
    // A TIFF or DICOM file named like raw data (or without a name
    // extension) needs no load dialog.
    if (isRawExtension(OSCString::GetExt(path)) && !CanvasPictureReader::IsScientificPicture(path))
        return loadRaw(canvas, path, keepOriginal);
    return Show(canvas, CanvasPictureReader::Decode(path), keepOriginal);
}
