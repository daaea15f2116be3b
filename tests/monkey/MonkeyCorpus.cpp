#include "MonkeyCorpus.h"

#include "DicomFileWriter.h"
#include "PictureFileWriters.h"

#include "pixorama/platform/Strings.h"

#include <QImage>

#include <cstdint>
#include <fstream>
#include <random>

namespace {

void writeBytes(const std::filesystem::path& path, const std::vector<std::uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), std::streamsize(bytes.size()));
}

// A little-endian 16-bit raw of w x h with a ramp and a bright square.
void writeRaw(const std::filesystem::path& path, int w, int h, int shift)
{
    std::vector<std::uint8_t> bytes;
    bytes.reserve(std::size_t(w) * h * 2);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            const bool square = x > w / 3 && x < w / 2 && y > h / 3 && y < h / 2;
            const unsigned v = square ? 60000u : unsigned((x * 700 + y * 90 + shift * 1000) % 40000);
            bytes.push_back(std::uint8_t(v & 0xFF));
            bytes.push_back(std::uint8_t(v >> 8));
        }
    writeBytes(path, bytes);
}

QImage pattern(int w, int h, QImage::Format format)
{
    QImage image(w, h, QImage::Format_RGB32);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            image.setPixel(x, y, qRgb((x * 4) & 0xFF, (y * 5) & 0xFF, ((x ^ y) * 3) & 0xFF));
    return image.convertToFormat(format);
}

} // namespace

MonkeyCorpus::MonkeyCorpus(const std::filesystem::path& where) : folder(where)
{
    std::filesystem::create_directories(folder);
    writeGood();
    writeHostile();
}

void MonkeyCorpus::AddFolder(const std::filesystem::path& extra)
{
    std::error_code error;
    for (const auto& entry : std::filesystem::directory_iterator(extra, error))
        if (entry.is_regular_file())
            add(entry.path());
}

void MonkeyCorpus::add(const std::filesystem::path& path)
{
    files.push_back(plat::fromPath(path));
}

void MonkeyCorpus::writeGood()
{
    const auto save = [this](const QImage& image, const char* name, const char* format) {
        image.save(QString::fromStdString((folder / name).string()), format);
        add(folder / name);
    };
    save(pattern(64, 48, QImage::Format_Grayscale8), "grey.png", "PNG");
    save(pattern(64, 48, QImage::Format_RGB32), "colour.png", "PNG");
    save(pattern(80, 60, QImage::Format_RGB32), "photo.jpg", "JPG");
    save(pattern(33, 17, QImage::Format_Grayscale8), "grey.bmp", "BMP");
    save(pattern(40, 30, QImage::Format_RGB32), "colour.bmp", "BMP");

    // A short sequence of equal raws, and a larger one.
    for (int i = 0; i < 4; ++i) {
        const auto path = folder / ("seq_00" + std::to_string(i) + ".raw");
        writeRaw(path, 64, 48, i);
        add(path);
    }
    writeRaw(folder / "large.raw", 256, 256, 0);
    add(folder / "large.raw");

    const auto ramp = [](int page, int x, int y, int c) { return double((x * 900 + y * 300 + page * 50 + c) % 65000); };
    TiffLayout grey16;
    writeTiff((folder / "grey16.tif").string(), grey16, 1, ramp);
    add(folder / "grey16.tif");
    TiffLayout floats;
    floats.bits = 32;
    floats.format = SAMPLEFORMAT_IEEEFP;
    floats.compression = COMPRESSION_ADOBE_DEFLATE;
    writeTiff((folder / "float-pages.tif").string(), floats, 3, ramp);
    add(folder / "float-pages.tif");

    DicomLayout ct;
    ct.slope = 2.0;
    ct.intercept = -1024.0;
    writeDicom((folder / "ct.dcm").string(), ct, [](int, int x, int y, int) { return (x * 200 + y * 150) % 4096; });
    add(folder / "ct.dcm");
    DicomLayout colour;
    colour.format = gdcm::PixelFormat::UINT8;
    colour.format.SetSamplesPerPixel(3);
    colour.photometric = gdcm::PhotometricInterpretation::RGB;
    writeDicom((folder / "colour.dcm").string(), colour, [](int, int x, int y, int c) { return (x * 9 + y * 5 + c * 80) & 0xFF; });
    add(folder / "colour.dcm");
}

void MonkeyCorpus::writeHostile()
{
    // Cut in half.
    std::vector<std::uint8_t> png = fileBytes((folder / "colour.png").string());
    png.resize(png.size() / 2);
    writeBytes(folder / "cut.png", png);
    add(folder / "cut.png");
    std::vector<std::uint8_t> dicom = fileBytes((folder / "ct.dcm").string());
    dicom.resize(dicom.size() * 2 / 3);
    writeBytes(folder / "cut.dcm", dicom);
    add(folder / "cut.dcm");

    // Headers stating 30000 x 30000 over a few rows of data.
    writeHugeTiff((folder / "huge.tif").string(), 30000, 64);
    add(folder / "huge.tif");

    // Random bytes under every name the program reads, and an empty file.
    std::mt19937 noise(7);
    std::vector<std::uint8_t> bytes(6000);
    for (const char* name : {"noise.png", "noise.jpg", "noise.tif", "noise.dcm", "noise.raw", "noise.bmp"}) {
        for (auto& b : bytes)
            b = std::uint8_t(noise());
        writeBytes(folder / name, bytes);
        add(folder / name);
    }
    writeBytes(folder / "empty.png", {});
    add(folder / "empty.png");
}
