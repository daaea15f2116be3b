// Makes the hostile picture files and opens one of them on a canvas, so
// that a script can measure time and peak memory of each open:
//   hostile_pictures make DIR     writes bomb.png, bomb.tif, cut.jpg
//   hostile_pictures open FILE    reads FILE onto canvas 4, prints the outcome
#include "PictureFileWriters.h"

#include "pixorama/canvo/CanvasFiles.h"
#include "pixorama/canvo/CanvasFrame.h"
#include "pixorama/canvo/CanvasImage.h"
#include "pixorama/platform/Modal.h"
#include "pixorama/platform/Strings.h"

#include <QBuffer>
#include <QGuiApplication>
#include <QImage>

#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iostream>
#include <string>
#include <vector>

namespace {

void bigEndian32(std::vector<std::uint8_t>& out, std::uint32_t v)
{
    for (int shift = 24; shift >= 0; shift -= 8)
        out.push_back(std::uint8_t(v >> shift));
}

void chunk(std::vector<std::uint8_t>& png, const char* type, const std::vector<std::uint8_t>& data)
{
    bigEndian32(png, std::uint32_t(data.size()));
    const std::size_t start = png.size();
    png.insert(png.end(), type, type + 4);
    png.insert(png.end(), data.begin(), data.end());
    bigEndian32(png, std::uint32_t(crc32(0, png.data() + start, uInt(png.size() - start))));
}

// 30000 x 30000 8-bit grey, all black: about 1 MB of deflate.
bool makePng(const std::string& path)
{
    const std::uint32_t side = 30000;
    std::vector<std::uint8_t> png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
    std::vector<std::uint8_t> header;
    bigEndian32(header, side);
    bigEndian32(header, side);
    header.insert(header.end(), {8, 0, 0, 0, 0});
    chunk(png, "IHDR", header);
    z_stream z{};
    deflateInit(&z, 9);
    std::vector<std::uint8_t> row(side + 1, 0), out(1 << 20), idat;
    for (std::uint32_t y = 0; y < side; ++y) {
        z.next_in = row.data();
        z.avail_in = uInt(row.size());
        const int flush = y + 1 == side ? Z_FINISH : Z_NO_FLUSH;
        do {
            z.next_out = out.data();
            z.avail_out = uInt(out.size());
            deflate(&z, flush);
            idat.insert(idat.end(), out.data(), out.data() + (out.size() - z.avail_out));
        } while (z.avail_out == 0);
    }
    deflateEnd(&z);
    chunk(png, "IDAT", idat);
    chunk(png, "IEND", {});
    std::ofstream(path, std::ios::binary).write(reinterpret_cast<const char*>(png.data()), std::streamsize(png.size()));
    return true;
}

// A 5 KB start of a JPEG whose frame header says 20000 x 20000.
bool makeJpeg(const std::string& path)
{
    QImage noise(256, 256, QImage::Format_RGB32);
    for (int y = 0; y < 256; ++y)
        for (int x = 0; x < 256; ++x)
            noise.setPixel(x, y, qRgb((x * 7 + y * 13) & 255, (x * y) & 255, (x ^ y) & 255));
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!noise.save(&buffer, "JPG", 95))
        return false;
    auto* p = reinterpret_cast<std::uint8_t*>(bytes.data());
    for (qsizetype i = 2; i + 9 < bytes.size(); ++i)
        if (p[i] == 0xFF && p[i + 1] == 0xC0) {
            p[i + 5] = p[i + 7] = 20000 >> 8;
            p[i + 6] = p[i + 8] = 20000 & 0xFF;
            break;
        }
    std::ofstream(path, std::ios::binary).write(bytes.constData(), std::min<qsizetype>(bytes.size(), 5 * 1024));
    return true;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::cerr << "usage: hostile_pictures make DIR | open FILE\n";
        return 2;
    }
    const std::string command = argv[1];
    if (command == "make") {
        const std::string dir = argv[2];
        const bool ok = makePng(dir + "/bomb.png") && writeHugeTiff(dir + "/bomb.tif", 30000, 30000) && makeJpeg(dir + "/cut.jpg");
        return ok ? 0 : 1;
    }
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    plat::setMessageBoxResponder([](const std::wstring& text, const std::wstring&, unsigned) {
        std::cout << "message: " << plat::toUtf8(text) << "\n";
        return plat::IDOK;
    });
    CString path = plat::toWide(argv[2]);
    gCVSReadFile(4, path, true);
    std::cout << "file type " << gCVSGetFileType(4) << ", " << gCVSGetCanvasWidth(4) << " x " << gCVSGetCanvasHeight(4)
              << "\n";
    return 0;
}
