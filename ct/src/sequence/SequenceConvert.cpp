#include "pixorama/workbench/SequenceJob.h"
#include "pixorama/workbench/SequenceOps.h"

#include "FileList.h"
#include "pixorama/common/RawFrame.h"

#include "pixorama/common/NumericTruncate.h"
#include "pixorama/common/PictureFile.h"
#include "pixorama/common/Resize.h"
#include "pixorama/platform/Strings.h"
#include "pixorama/platform/Translation.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <new>

namespace {

enum OutKind { OutUShort = 0, OutFloat = 1, OutBmp = 2, OutJpg = 3 };

bool eightBit(int kind)
{
    return kind == OutBmp || kind == OutJpg;
}

// The file name without folder; "" for an output kind the table lacks.
CString outputLeaf(const tagQEVImaFormatPara& para, int number)
{
    const wchar_t* stem = nullptr;
    if (para.OutImaPixelType == OutUShort)
        stem = L"US_";
    else if (para.OutImaPixelType == OutFloat)
        stem = L"FLT_";
    else if (!eightBit(para.OutImaPixelType))
        return {};
    else if (para.bUseMapRange != 0)
        stem = L"LUTMAP__";
    else if (para.OutImaIPType == 0)
        stem = L"DISLUTMAP__";
    else if (para.OutImaIPType == 1)
        stem = L"DetailEnhance__";
    else if (para.OutImaIPType == 2)
        stem = L"InvDetailEnhance__";
    else
        return {};
    const wchar_t* ext = para.OutImaPixelType == OutUShort || para.OutImaPixelType == OutFloat ? L"raw"
                         : para.OutImaPixelType == OutBmp                                     ? L"bmp"
                                                                                              : L"jpg";
    wchar_t text[64];
    std::swprintf(text, 64, L"%ls%5d.%ls", stem, number, ext);
    return text;
}

void toBytes(const ClassData2DIO<float>& picture, ClassData2DIO<unsigned char>& out)
{
    if (out.width != picture.width || out.height != picture.height)
        out.SetDim(picture.width, picture.height);
    for (int y = 0; y < picture.height; ++y) {
        const float* in = picture.rows[y];
        unsigned char* o = out.rows[y];
        for (int x = 0; x < picture.width; ++x)
            o[x] = static_cast<unsigned char>(pixTruncToInt64(in[x]) & 0xFF);
    }
}

void minMax(const ClassData2DIO<float>& picture, float& lo, float& hi)
{
    lo = hi = picture.rows[0][0];
    // Plain compare-and-select loops, which the compiler turns into vector code.
    for (int y = 0; y < picture.height; ++y) {
        const float* row = picture.rows[y];
        float a = lo;
        float b = hi;
        for (int x = 0; x < picture.width; ++x) {
            a = row[x] < a ? row[x] : a;
            b = row[x] > b ? row[x] : b;
        }
        lo = a;
        hi = b;
    }
}

// The picture stretched from its own range to 0..65535, then the display
// window of that range to 0..255, in one pass.
void windowToBytes(const ClassData2DIO<float>& picture, const DisplayWindow& window, ClassData2DIO<unsigned char>& out)
{
    float lo = 0;
    float hi = 0;
    minMax(picture, lo, hi);
    // An empty range leaves the values as they are for the second map.
    const bool stretch = hi - lo >= 1e-10f;
    const float scale = stretch ? 65535.0f / (hi - lo) : 1.0f;
    const float offset = stretch ? lo : 0.0f;
    const float a = window.left * 65535.0f;
    const float b = window.right * 65535.0f;
    const bool map = std::fabs(b - a) >= 1e-10f;
    const float toByte = map ? 255.0f / (b - a) : 1.0f;
    if (out.width != picture.width || out.height != picture.height)
        out.SetDim(picture.width, picture.height);
    for (int y = 0; y < picture.height; ++y) {
        const float* in = picture.rows[y];
        unsigned char* o = out.rows[y];
        for (int x = 0; x < picture.width; ++x) {
            const float s = (in[x] - offset) * scale;
            const float v = !map ? s : s <= a ? 0.0f : s >= b ? 255.0f : (s - a) * toByte;
            o[x] = static_cast<unsigned char>(pixTruncToInt64(v) & 0xFF);
        }
    }
}

void negative(ClassData2DIO<float>& picture)
{
    float lo = 0;
    float hi = 0;
    minMax(picture, lo, hi);
    for (int y = 0; y < picture.height; ++y)
        for (float* p = picture.rows[y]; p < picture.rows[y] + picture.width; ++p)
            *p = hi - *p;
}

// Per-run state: the reused pictures and what went wrong.
class Converter {
public:
    Converter(tagQEVImaFormatPara& para, const ConvertOptions& options, SequenceJob& job)
        : para(para), options(options), job(job)
    {
    }

    bool Run();

private:
    bool Check();
    // The picture of file k at the output size; false when it could not be read.
    bool Load(int k);
    bool Write(const CString& path);
    bool WriteEightBit(const CString& path);
    void Report();

    tagQEVImaFormatPara& para;
    const ConvertOptions& options;
    SequenceJob& job;
    ClassData2DIO<float> input;
    ClassData2DIO<float> resized;
    ClassData2DIO<float>* picture = nullptr;
    ClassData2DIO<unsigned char> grey;
    FileList missing, shortFiles, unwritten;
};

bool Converter::Check()
{
    if (para.Files.empty()) {
        job.Message(L"没有序列图像");
        return false;
    }
    if (para.OutDir == L"NULL") {
        job.Message(L"没有选择文件保存目录");
        return false;
    }
    const RawLayout in{para.InImaW, para.InImaH, para.InImaPixelType, true};
    if (in.FrameBytes() == 0 || para.OutImaW <= 0 || para.OutImaH <= 0) {
        job.Message(L"图像尺寸或像素类型无效");
        return false;
    }
    // The input frame, the resized one and the 8-bit output at most.
    const double inPixels = double(para.InImaW) * para.InImaH;
    const double outPixels = double(para.OutImaW) * para.OutImaH;
    if (!job.MemoryFits(4.0 * inPixels + 5.0 * outPixels))
        return false;
    if (outputLeaf(para, 10000).empty()) {
        job.Message(L"不支持的出图类型");
        return false;
    }
    if (eightBit(para.OutImaPixelType) && para.bUseMapRange == 0 && para.OutImaIPType != 0 && !options.enhance) {
        job.Message(L"细节增强不可用");
        return false;
    }
    return true;
}

bool Converter::Load(int k)
{
    const RawLayout layout{para.InImaW, para.InImaH, para.InImaPixelType, para.bLittleEndian != 0};
    const FrameStatus status = ReadRawFrame(para.Files[std::size_t(k)], layout, input);
    // A folder or an unreadable file is told as missing.
    if (status == FrameStatus::Missing || status == FrameStatus::CannotOpen)
        missing.Add(para.Files[std::size_t(k)]);
    if (status == FrameStatus::Short)
        shortFiles.Add(para.Files[std::size_t(k)]);
    if (status != FrameStatus::Ok)
        return false;
    picture = &input;
    if (para.OutImaW == para.InImaW && para.OutImaH == para.InImaH)
        return true;
    if (resized.width != para.OutImaW || resized.height != para.OutImaH)
        resized.SetDim(para.OutImaW, para.OutImaH);
    ResizeMC(&input, &resized);
    picture = &resized;
    return true;
}

bool Converter::WriteEightBit(const CString& path)
{
    ClassData2DIO<float>& p = *picture;
    if (para.bUseMapRange != 0) {
        LinearMap(p, para.MapRangeLowIn, para.MapRangeHighIn, para.MapRangeLowOut, para.MapRangeHighOut);
        toBytes(p, grey);
    } else if (para.OutImaIPType == 0) {
        windowToBytes(p, options.window, grey);
    } else {
        if (para.OutImaIPType == 2)
            negative(p);
        if (!options.enhance(p, grey))
            return false;
    }
    return gSaveUcData(&grey, path);
}

bool Converter::Write(const CString& path)
{
    if (eightBit(para.OutImaPixelType))
        return WriteEightBit(path);
    if (para.bUseMapRange != 0)
        LinearMap(*picture, para.MapRangeLowIn, para.MapRangeHighIn, para.MapRangeLowOut, para.MapRangeHighOut);
    const RawLayout out{picture->width, picture->height, para.OutImaPixelType, para.bLittleEndian != 0};
    return WriteRawFrame(plat::toPath(path), *picture, out);
}

void Converter::Report()
{
    if (!missing.Empty())
        job.Message(missing.Text(L"文件不存在，未输出："));
    if (!shortFiles.Empty())
        job.Message(shortFiles.Text(L"文件长度不足，未输出："));
    if (!unwritten.Empty())
        job.Message(unwritten.Text(plat::trArgs(L"%1 个输出文件无法写入：", {std::to_wstring(unwritten.Count())})));
}

bool Converter::Run()
{
    if (eightBit(para.OutImaPixelType) && para.bUseMapRange != 0) {
        para.MapRangeLowOut = std::max(para.MapRangeLowOut, 0.0f);
        if (para.MapRangeHighOut >= 255.0f)
            para.MapRangeHighOut = 255.0f;
    }
    if (!Check())
        return false;
    const int n = int(para.Files.size());
    const int step = std::max(1, options.useRange && options.range.step > 0 ? options.range.step : para.OutImaStep);
    int first = 0;
    int end = n;
    if (options.useRange) {
        // The first multiple of the step in the slice, so numbers match the whole run's.
        // In 64 bits: a step near INT_MAX must not wrap round.
        const std::int64_t multiple = (std::int64_t(std::max(0, options.range.first)) + step - 1) / step * step;
        first = int(std::min<std::int64_t>(multiple, INT_MAX));
        end = std::min(n, options.range.end);
    }
    job.SetRange(n);
    job.SetPosition(0);
    for (int k = first; k < end; k = int(std::min<std::int64_t>(std::int64_t(k) + step, INT_MAX))) {
        if (job.Cancelled())
            break;
        try {
            if (Load(k)) {
                const CString path = para.OutDir + L"/" + outputLeaf(para, k / step + 10000);
                if (!Write(path))
                    unwritten.Add(path);
            }
        } catch (const std::bad_alloc&) {
            job.Message(L"内存不足，转换停止");
            return false;
        }
        job.SetPosition(k);
    }
    job.SetPosition(0);
    Report();
    return !job.Cancelled() && missing.Empty() && shortFiles.Empty() && unwritten.Empty();
}

} // namespace

CString ConvertOutputName(const tagQEVImaFormatPara& para, int number)
{
    return outputLeaf(para, number);
}

bool ConvertSequence(tagQEVImaFormatPara& para, const ConvertOptions& options, SequenceJob& job)
{
    Converter converter(para, options, job);
    return converter.Run();
}
