#include "pixorama/workbench/SegmentSequence.h"
#include "pixorama/workbench/Segmentation.h"

#include "pixorama/common/BitmapFile.h"
#include "pixorama/common/PictureFile.h"
#include "pixorama/platform/Strings.h"

#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>

namespace fs = std::filesystem;

namespace {

std::wstring Numbered(const wchar_t* pattern, int number)
{
    wchar_t name[64];
    std::swprintf(name, 64, pattern, number);
    return name;
}

// The output folder beside the first file, created when missing; empty when
// it cannot be made.
fs::path OutputFolder(const std::wstring& first, const wchar_t* name)
{
    const fs::path folder = plat::toPath(first).parent_path() / plat::toPath(name);
    std::error_code error;
    fs::create_directories(folder, error);
    return fs::is_directory(folder, error) ? folder : fs::path();
}

// The picture in grey with the basin borders in red.
bool SegmentOne(const std::wstring& file, const fs::path& target)
{
    ClassData2DIO<unsigned char> grey;
    if (!QEVReadGrayBmp(plat::toUtf8(file).c_str(), &grey) || grey.IsEmpty())
        return false;
    const std::vector<int> labels = SimpleWatershed(grey.data, grey.width, grey.height);
    ClassData2DIO<unsigned char> r(grey), g(grey), b(grey);
    DrawBasinBorders(labels, ColourPlanes{r, g, b}, 255, 0, 0);
    return QEVSaveColorBmp(target.string().c_str(), &r, &g, &b);
}

bool ReadFrame(const std::wstring& file, const RawFrameShape& shape, std::vector<unsigned char>& bytes)
{
    std::ifstream in(plat::toPath(file), std::ios::binary);
    if (!in)
        return false;
    in.seekg(0, std::ios::end);
    const long long size = in.tellg();
    const long long need = 2LL * shape.width * shape.height;
    if (size < 0 || shape.header < 0 || size - shape.header < need)
        return false;
    bytes.resize(std::size_t(need));
    in.seekg(shape.header);
    return bool(in.read(reinterpret_cast<char*>(bytes.data()), need));
}

bool SupplementOne(const std::wstring& file, const RawFrameShape& shape, const fs::path& target)
{
    std::vector<unsigned char> bytes;
    if (!ReadFrame(file, shape, bytes))
        return false;
    ClassData2DIO<unsigned char> picture;
    picture.SetDim(shape.width, shape.height);
    const unsigned char* in = bytes.data();
    for (int y = 0; y < shape.height; ++y)
        for (int x = 0; x < shape.width; ++x, in += 2)
            picture.rows[y][x] = SupplementMap(static_cast<unsigned short>(in[0] | (in[1] << 8)));
    return gSaveUcData(&picture, plat::fromPath(target));
}

template <typename One>
SequenceOutcome ForEachFile(const std::vector<std::wstring>& files, const wchar_t* folderName,
                            std::wstring (*name)(int), One one)
{
    SequenceOutcome outcome;
    if (files.empty())
        return outcome;
    const fs::path folder = OutputFolder(files.front(), folderName);
    if (folder.empty()) {
        outcome.folderMissing = true;
        return outcome;
    }
    for (std::size_t i = 0; i < files.size(); ++i) {
        if (one(files[i], folder / plat::toPath(name(int(i)))))
            ++outcome.written;
        else
            ++outcome.skipped;
    }
    return outcome;
}

} // namespace

std::wstring SegmentedFileName(int index)
{
    return Numbered(L"seg_dis_%5d.bmp", index + 20000);
}

std::wstring SupplementFileName(int index)
{
    return Numbered(L"%5d.bmp", index + 10336);
}

unsigned char SupplementMap(unsigned short value)
{
    constexpr double low = 0.206 * 65535.0;
    constexpr double high = 0.409 * 65535.0;
    const double v = (double(value) - low) * 255.0 / (high - low);
    return static_cast<unsigned char>(v <= 0.0 ? 0.0 : (v >= 255.0 ? 255.0 : v));
}

SequenceOutcome SegmentSequenceFiles(const std::vector<std::wstring>& files)
{
    return ForEachFile(files, L"分水岭结果", SegmentedFileName,
                       [](const std::wstring& file, const fs::path& target) { return SegmentOne(file, target); });
}

SequenceOutcome SupplementSequenceFiles(const std::vector<std::wstring>& files, const RawFrameShape& shape)
{
    if (shape.width <= 0 || shape.height <= 0) {
        SequenceOutcome refused;
        refused.skipped = int(files.size());
        return refused;
    }
    return ForEachFile(files, L"补充", SupplementFileName,
                       [&shape](const std::wstring& file, const fs::path& target) {
                           return SupplementOne(file, shape, target);
                       });
}
