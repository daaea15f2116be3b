#include "CanvasRawReader.h"

#include "PictureProbe.h"

#include "pixorama/common/MemoryBudget.h"
#include "pixorama/common/NumericTruncate.h"
#include "pixorama/platform/Strings.h"
#include "pixorama/platform/Translation.h"

#include <algorithm>
#include <filesystem>
#include <cstdio>
#include <string>

namespace {

std::wstring format(const wchar_t* pattern, long long a, long long b)
{
    wchar_t text[256];
    std::swprintf(text, sizeof text / sizeof text[0], plat::tr(std::wstring(pattern)).c_str(), a, b);
    return text;
}

CanvasRawReader::Status statusOf(FrameStatus status)
{
    using S = CanvasRawReader::Status;
    switch (status) {
    case FrameStatus::Ok: return S::Ok;
    case FrameStatus::Missing: return S::Missing;
    case FrameStatus::CannotOpen: return S::CannotOpen;
    case FrameStatus::Short: return S::TooShort;
    case FrameStatus::BadSize: return S::BadSize;
    case FrameStatus::BadSkip: return S::BadSkip;
    case FrameStatus::BadType: return S::BadType;
    case FrameStatus::NoMemory: return S::NoMemory;
    }
    return S::ReadFailed;
}

} // namespace

RawLayout CanvasRawReader::LayoutOf(const tagQEVImaLoadPara& para)
{
    return RawLayout{para.InImaW, para.InImaH, para.InImaPixelType, para.bLittleEndian != 0,
                     para.InImaPixelType == 3 ? 0 : para.skipBytes};
}

CanvasRawReader::Result CanvasRawReader::Read(const CString& path, const tagQEVImaLoadPara& para,
                                              ClassData2DIO<float>& image)
{
    const RawLayout layout = LayoutOf(para);
    Result result;
    result.neededBytes = layout.FrameBytes();
    result.fileBytes = std::max<std::int64_t>(RawFileBytes(path), 0);
    // Refusals are found before the image is touched, so a caller lending
    // its buffer gets it back as it was.
    const FrameStatus valid = ValidLayout(layout);
    if (valid != FrameStatus::Ok) {
        result.status = statusOf(valid);
        return result;
    }
    // A picture of a new size is weighed against the memory before anything
    // is allocated for it: the canvas keeps it several times over.
    if (image.width != layout.width || image.height != layout.height) {
        const double count = double(layout.width) * double(layout.height);
        result.memoryRefusal = MemoryBudget::Refusal(count * PictureProbe::canvasBytesPerPixel);
        if (!result.memoryRefusal.empty()) {
            result.status = Status::NoMemory;
            return result;
        }
    }
    const std::int64_t size = RawFileBytes(path);
    std::error_code error;
    if (size < 0 && std::filesystem::exists(plat::toPath(path), error)) {
        result.status = Status::CannotOpen;
        return result;
    }
    if (size >= 0 && size < result.neededBytes) {
        result.status = Status::TooShort;
        return result;
    }
    const FrameStatus read = ReadRawFrame(path, layout, image);
    // Past the checks above, a failure to open or read is a failure while reading.
    result.status = read == FrameStatus::CannotOpen || read == FrameStatus::Short ? Status::ReadFailed : statusOf(read);
    return result;
}

void CanvasRawReader::MapRange(const ClassData2DIO<float>& image, const tagQEVImaLoadPara& para,
                               ClassData2DIO<unsigned char>& grey)
{
    grey.SetDim(image.width, image.height);
    const float lowIn = para.MapRangeLowIn;
    const float highIn = para.MapRangeHighIn;
    const float lowOut = std::max(para.MapRangeLowOut, 0.0f);
    const float highOut = std::min(para.MapRangeHighOut, 255.0f);
    const bool rescale = highIn - lowIn >= 1e-10f && highOut - lowOut >= 1e-10f;
    const float outWidth = highOut - lowOut;
    const float inWidth = highIn - lowIn;
    for (int y = 0; y < image.height; ++y) {
        const float* in = image.rows[y];
        unsigned char* out = grey.rows[y];
        for (int x = 0; x < image.width; ++x) {
            float v = in[x];
            if (rescale) {
                if (v <= lowIn)
                    v = lowOut;
                else if (v >= highIn)
                    v = highOut;
                else
                    v = (v - lowIn) * outWidth / inWidth + lowOut;
            }
            out[x] = static_cast<unsigned char>(pixTruncToInt64(v) & 0xFF);
        }
    }
}

CString CanvasRawReader::Message(const Result& result, const tagQEVImaLoadPara& para)
{
    switch (result.status) {
    case Status::Ok: return {};
    case Status::Missing: return L"文件不存在";
    case Status::CannotOpen: return L"无法读取文件";
    case Status::ReadFailed: return L"读取文件时出错";
    case Status::TooShort:
        return format(L"文件长度不足：需要 %lld 字节，实际 %lld 字节", result.neededBytes, result.fileBytes);
    case Status::BadSize: return format(L"图像尺寸无效：宽度 %lld，高度 %lld", para.InImaW, para.InImaH);
    case Status::BadSkip: return format(L"跳过字节数无效：%lld", para.skipBytes, 0);
    case Status::BadType: return format(L"不支持的像素类型：%lld", para.InImaPixelType, 0);
    case Status::NoMemory: return result.memoryRefusal.empty() ? L"内存不足，无法读取图像" : result.memoryRefusal;
    }
    return {};
}
