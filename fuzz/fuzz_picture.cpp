// The canvas's picture reader on arbitrary bytes: content sniffing, size
// checks, and Qt's readers for whatever is not TIFF or DICOM.

#include "CanvasPictureReader.h"

#include <QCoreApplication>

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static int argc = 1;
    static char name[] = "fuzz_picture";
    static char* argv[] = {name, nullptr};
    static QCoreApplication app(argc, argv);
    const DecodedPicture picture = CanvasPictureReader::Decode(data, size, L"png");
    // Nothing decoded always says why.
    if (!picture.Decoded()) {
        if (picture.message.empty())
            std::abort();
        return 0;
    }
    const std::size_t n = picture.PixelCount();
    if (picture.values.size() != n && picture.grey.size() != n && picture.colour.size() != n)
        std::abort();
    return 0;
}
