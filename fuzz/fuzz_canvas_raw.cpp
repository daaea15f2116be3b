// The canvas's raw reader over the common raw-frame reader: a random load
// record against a random file.
// Input: ten little-endian 32-bit fields (width, height, pixel type, little
// endian, header bytes, use map range, then the four map limits as floats),
// followed by the file's bytes.

#include "FuzzInputFile.h"

#include "CanvasRawReader.h"

#include "pixorama/platform/Strings.h"

#include <cstdlib>
#include <cstring>
#include <vector>

namespace {

constexpr std::size_t recordBytes = 40;

std::int32_t field(const std::uint8_t* data, int i)
{
    std::int32_t v;
    std::memcpy(&v, data + 4 * i, 4);
    return v;
}

float floatField(const std::uint8_t* data, int i)
{
    float v;
    std::memcpy(&v, data + 4 * i, 4);
    return v;
}

// The element at index i as the file holds it, for the types with an exact
// float value.
float expected(const std::uint8_t* file, int pixelType, bool little, std::size_t i)
{
    if (pixelType == 3)
        return float(file[i]);
    const std::uint8_t* p = file + 2 * i;
    const unsigned bits = little ? unsigned(p[0] | p[1] << 8) : unsigned(p[1] | p[0] << 8);
    return pixelType == 0 ? float(std::uint16_t(bits)) : float(std::int16_t(bits));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    static FuzzInputFile file(".raw");
    if (size < recordBytes)
        return 0;
    tagQEVImaLoadPara para;
    para.InImaW = field(data, 0);
    para.InImaH = field(data, 1);
    para.InImaPixelType = field(data, 2);
    para.bLittleEndian = field(data, 3);
    para.skipBytes = field(data, 4);
    para.bUseMapRange = field(data, 5);
    para.MapRangeLowIn = floatField(data, 6);
    para.MapRangeHighIn = floatField(data, 7);
    para.MapRangeLowOut = floatField(data, 8);
    para.MapRangeHighOut = floatField(data, 9);
    const std::uint8_t* bytes = data + recordBytes;
    const std::size_t fileBytes = size - recordBytes;
    const char* path = file.write(bytes, fileBytes);

    ClassData2DIO<float> image;
    const CanvasRawReader::Result result = CanvasRawReader::Read(plat::toWide(path), para, image);
    if (result.status != CanvasRawReader::Status::Ok)
        return 0;
    // Accepted: the size asked for, all of it inside the file.
    if (image.width != para.InImaW || image.height != para.InImaH || result.neededBytes > std::int64_t(fileBytes))
        std::abort();
    const int type = para.InImaPixelType;
    if (type == 0 || type == 2 || type == 3) {
        const std::uint8_t* pixels = bytes + (type == 3 ? 0 : para.skipBytes);
        const std::size_t count = std::size_t(image.width) * std::size_t(image.height);
        for (std::size_t i = 0; i < count; ++i)
            if (image.data[i] != expected(pixels, type, para.bLittleEndian != 0, i))
                std::abort();
    }
    // A row read on its own is the row of the whole frame (NaNs compared by bits).
    const int row = image.height / 2;
    std::vector<float> span(std::size_t(image.width));
    if (ReadRawSpan(plat::toWide(path), CanvasRawReader::LayoutOf(para), std::int64_t(row) * image.width, span.data(),
                    image.width) != FrameStatus::Ok
        || std::memcmp(span.data(), image.rows[row], span.size() * sizeof(float)) != 0)
        std::abort();
    ClassData2DIO<unsigned char> grey;
    CanvasRawReader::MapRange(image, para, grey);
    if (grey.width != image.width || grey.height != image.height)
        std::abort();
    return 0;
}
