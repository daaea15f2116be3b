#include "CanvasFileLoader.h"

#include "CanvasPictureReader.h"
#include "CanvasRawReader.h"

#include "pixorama/canvo/InteractiveImage.h"
#include "pixorama/common/OSCString.h"
#include "pixorama/parlet/DlgGet.h"
#include "pixorama/platform/Assert.h"
#include "pixorama/platform/Modal.h"

#include <new>

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

void loadRaw(InteractiveImage& canvas, const CString& path, bool keepOriginal)
{
    tagQEVImaLoadPara para;
    if (!gDlgGetImaLoadPara(para))
        return;
    // A frame of the size shown before is decoded into the same buffer.
    ClassData2DIO<float> image;
    canvas.LendWorkingRaw(image);
    const CanvasRawReader::Result result = CanvasRawReader::Read(path, para, image);
    if (result.status != CanvasRawReader::Status::Ok)
        plat::messageBox(CanvasRawReader::Message(result, para));
    // A missing file is shown all the same, as zeros of the size asked for.
    if (result.status != CanvasRawReader::Status::Ok && result.status != CanvasRawReader::Status::Missing)
        return;
    if (para.bUseMapRange == 0) {
        canvas.ShowFloatTaking(image, keepOriginal, true);
        return;
    }
    ClassData2DIO<unsigned char> grey;
    try {
        CanvasRawReader::MapRange(image, para, grey);
    } catch (const std::bad_alloc&) {
        plat::messageBox(L"内存不足，无法读取图像");
        return;
    }
    canvas.ShowGray({grey.rows, grey.data, grey.width, grey.height}, true);
}

} // namespace

void CanvasFileLoader::Show(InteractiveImage& canvas, const DecodedPicture& picture, bool keepOriginal)
{
    if (showDecoded(canvas, picture, keepOriginal))
        return;
    canvas.ShowNothing();
    plat::messageBox(picture.message.empty() ? CString(L"图像太大，无法显示") : picture.message);
}

void CanvasFileLoader::Load(InteractiveImage& canvas, const CString& path, bool keepOriginal)
{
    canvas.ForgetFile();
    if (isRawExtension(OSCString::GetExt(path)))
        loadRaw(canvas, path, keepOriginal);
    else
        Show(canvas, CanvasPictureReader::Decode(path), keepOriginal);
}
