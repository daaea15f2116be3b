#include "CanvasPictureReader.h"

#include "PictureDecoder.h"
#include "PictureProbe.h"

#include "pixorama/canvo/InteractiveImage.h"
#include "pixorama/common/OSCString.h"
#include "pixorama/platform/Modal.h"
#include "pixorama/platform/Strings.h"

#include <QFile>

#include <algorithm>
#include <cstdint>
#include <filesystem>
#include <new>
#include <vector>

namespace {

// Nothing shown: no surface, no raw images, file type 0.
void leaveEmpty(InteractiveImage& canvas)
{
    canvas.oriRaw.Clear();
    canvas.workingRaw.Clear();
    canvas.fileType = FileNothing;
    canvas.PrepareCanvas(0, 0, true);
    canvas.imageWidth = canvas.imageHeight = 0;
}

bool isFile(const CString& path)
{
    std::error_code error;
    return std::filesystem::is_regular_file(plat::toPath(path), error);
}

// "name.tif#3" names page 3 of name.tif when no file has the whole name.
struct PagePath {
    CString path;
    int page = 0;
};

PagePath splitPage(const CString& path)
{
    const std::size_t hash = path.rfind(L'#');
    if (isFile(path) || hash == CString::npos || hash + 1 == path.size())
        return {path, 0};
    const CString digits = path.substr(hash + 1);
    if (digits.size() > 6 || !std::all_of(digits.begin(), digits.end(), [](wchar_t c) { return c >= L'0' && c <= L'9'; }))
        return {path, 0};
    return {path.substr(0, hash), std::max(0, std::stoi(digits) - 1)};
}

// The file's bytes, mapped rather than read; empty when it cannot be.
class MappedFile {
public:
    explicit MappedFile(const CString& path) : file(QString::fromStdWString(path))
    {
        if (file.open(QIODevice::ReadOnly) && file.size() > 0)
            bytes = file.map(0, file.size());
    }
    const std::uint8_t* Data() const { return bytes; }
    std::size_t Size() const { return bytes ? std::size_t(file.size()) : 0; }

private:
    QFile file;
    const std::uint8_t* bytes = nullptr;
};

// 32-bit pixels 0xAARRGGBB: the colour bytes are the canvas pixel, alpha dropped.
bool paintPicture(InteractiveImage& canvas, const QImage& picture)
{
    const QImage::Format f = picture.format();
    if (f == QImage::Format_Indexed8 || f == QImage::Format_Grayscale8) {
        std::vector<const unsigned char*> rows(std::size_t(picture.height()));
        for (int y = 0; y < picture.height(); ++y)
            rows[std::size_t(y)] = picture.constScanLine(y);
        return canvas.ShowGray({rows.data(), nullptr, picture.width(), picture.height()}, true);
    }
    const QImage argb = picture.convertToFormat(picture.hasAlphaChannel() ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    if (argb.isNull())
        return false;
    canvas.oriRaw.Clear();
    canvas.workingRaw.Clear();
    canvas.fileType = FilePicture8;
    canvas.PrepareCanvas(argb.width(), argb.height(), true);
    canvas.imageWidth = canvas.canvasSurface.Width();
    canvas.imageHeight = canvas.canvasSurface.Height();
    if (!canvas.canvasSurface.Exists())
        return false;
    for (int y = 0; y < argb.height(); ++y) {
        const auto* in = reinterpret_cast<const std::uint32_t*>(argb.constScanLine(y));
        plat::Pixel* out = canvas.canvasSurface.Bitmap().line(y);
        for (int x = 0; x < argb.width(); ++x)
            out[x] = in[x] & 0xFFFFFFu;
    }
    return true;
}

// Red, green and blue samples of 8 or 16 bits, shown at 8 bits.
bool paintColour(InteractiveImage& canvas, const DecodedPicture& picture)
{
    canvas.oriRaw.Clear();
    canvas.workingRaw.Clear();
    canvas.fileType = FilePicture8;
    canvas.PrepareCanvas(picture.width, picture.height, true);
    canvas.imageWidth = canvas.canvasSurface.Width();
    canvas.imageHeight = canvas.canvasSurface.Height();
    if (!canvas.canvasSurface.Exists())
        return false;
    const int shift = picture.colourBits - 8;
    const std::size_t w = std::size_t(picture.width);
    for (int y = 0; y < picture.height; ++y) {
        const std::uint16_t* in = picture.colour.data() + std::size_t(y) * w * 3;
        plat::Pixel* out = canvas.canvasSurface.Bitmap().line(y);
        for (std::size_t x = 0; x < w; ++x, in += 3)
            out[x] = plat::Pixel(in[0] >> shift) << 16 | plat::Pixel(in[1] >> shift) << 8 | plat::Pixel(in[2] >> shift);
    }
    return true;
}

// Turns the working raw upside down, so that low values show bright.
void invertWorking(InteractiveImage& canvas)
{
    for (int y = 0; y < canvas.workingRaw.height; ++y) {
        float* row = canvas.workingRaw.rows[y];
        for (int x = 0; x < canvas.workingRaw.width; ++x)
            row[x] = 65535.0f - row[x];
    }
}

// The file's window (and inversion) as fractions of the values' range.
void applyDisplayHints(InteractiveImage& canvas, const DecodedPicture& picture)
{
    const auto [lo, hi] = std::minmax_element(picture.values.begin(), picture.values.end());
    const double range = double(*hi) - double(*lo);
    if (range < 1e-10)
        return;
    if (picture.inverted)
        invertWorking(canvas);
    double left = 0.0, right = 1.0;
    if (picture.hasWindow) {
        left = std::clamp((picture.windowCentre - picture.windowWidth / 2 - *lo) / range, 0.0, 1.0);
        right = std::clamp((picture.windowCentre + picture.windowWidth / 2 - *lo) / range, 0.0, 1.0);
    }
    if (picture.inverted)
        std::tie(left, right) = std::pair(1.0 - right, 1.0 - left);
    canvas.SetLutPara(float(left), float(right));
}

void tell(const std::vector<std::wstring>& warnings)
{
    std::wstring text;
    for (const std::wstring& w : warnings)
        text += (text.empty() ? L"" : L"\n") + w;
    if (!text.empty())
        plat::messageBox(text);
}

} // namespace

bool CanvasPictureReader::Show(InteractiveImage& canvas, const DecodedPicture& picture, bool keepOriginal)
{
    try {
        switch (picture.kind) {
        case DecodedPicture::Kind::Grey:
            if (!canvas.ShowFloat({nullptr, picture.values.data(), picture.width, picture.height}, keepOriginal, true))
                return false;
            applyDisplayHints(canvas, picture);
            if (picture.pixelSpacing > 0)
                canvas.measureScale = picture.pixelSpacing;
            return true;
        case DecodedPicture::Kind::Colour:
            return paintColour(canvas, picture);
        case DecodedPicture::Kind::Picture:
            return paintPicture(canvas, picture.picture);
        case DecodedPicture::Kind::None:
            break;
        }
    } catch (const std::bad_alloc&) {
    }
    return false;
}

bool CanvasPictureReader::Load(InteractiveImage& canvas, const CString& named, bool keepOriginal)
{
    const PagePath source = splitPage(named);
    if (!isFile(source.path)) {
        leaveEmpty(canvas);
        plat::messageBox(L"文件不存在");
        return false;
    }
    DecodedPicture picture;
    {
        const MappedFile file(source.path);
        if (file.Size() == 0) {
            leaveEmpty(canvas);
            plat::messageBox(L"无法读取图像文件");
            return false;
        }
        picture = PictureDecoder::Decode(file.Data(), file.Size(), OSCString::GetExt(source.path), source.page);
    }
    if (!picture.Ok()) {
        leaveEmpty(canvas);
        plat::messageBox(picture.error);
        return false;
    }
    if (!Show(canvas, picture, keepOriginal)) {
        leaveEmpty(canvas);
        plat::messageBox(L"图像太大，无法显示");
        return false;
    }
    tell(picture.warnings);
    return true;
}

bool CanvasPictureReader::IsScientificPicture(const CString& path)
{
    if (!isFile(path))
        return false;
    const MappedFile file(path);
    const PictureProbe::Format format = PictureProbe::Sniff(file.Data(), file.Size());
    return format == PictureProbe::Format::Tiff || format == PictureProbe::Format::Dicom;
}
