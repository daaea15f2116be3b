#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// Looks at a picture file's bytes before anything is decoded: which format
// it is by content, whether its stated size may be decoded on this machine,
// and whether a PNG or JPEG stream reaches its end.
class PictureProbe {
public:
    enum class Format { Unknown, Tiff, Dicom, Png, Jpeg };

    // Pictures with more pixels than this are refused whatever the memory.
    static constexpr std::int64_t pixelLimit = std::int64_t(1) << 28;

    static Format Sniff(const std::uint8_t* bytes, std::size_t size);

    // Empty when a width x height picture may be decoded, given the bytes
    // per pixel the decoder and the canvas need together; otherwise the
    // refusal: "图像太大：宽度 W，高度 H" past the pixel limit,
    // "图像需要约 N MB 内存，可用 M MB" past the memory (or a bad-size text).
    static std::wstring CheckSize(std::int64_t width, std::int64_t height, double bytesPerPixel);

    // Empty when a file of fileBytes can hold decodedBytes of picture at
    // its compression's best ratio (1 for stored data); otherwise the
    // refusal. Stops a small file from making the decoder allocate for a
    // picture it cannot contain.
    static std::wstring CheckPayload(std::int64_t width, std::int64_t height, double decodedBytes,
                                     std::size_t fileBytes, double maxRatio);
    // The best ratios of the codecs: deflate's limit, JPEG's 2 bits per
    // 8 x 8 block, PackBits' 128 bytes from 2, LZW's longest codes.
    static constexpr double deflateRatio = 1032.0;
    static constexpr double jpegPixelsPerByte = 256.0;
    static constexpr double packBitsRatio = 64.0;
    static constexpr double lzwRatio = 4096.0;

    // "图像太大：宽度 W，高度 H".
    static std::wstring TooLarge(std::int64_t width, std::int64_t height);

    // Bytes per pixel a canvas keeps for a shown float picture: ori and
    // working raw, surface and label image.
    static constexpr double canvasBytesPerPixel = 16.0;

    // False when a PNG lacks its closing chunk or a JPEG its end marker.
    static bool LooksComplete(Format format, const std::uint8_t* bytes, std::size_t size);

    // Memory this process may still take (MemoryBudget); tests may override it.
    static std::uint64_t AvailableMemory();
    static void SetAvailableMemoryForTesting(std::uint64_t bytes);

    // Replaces NaN and infinite values with the lowest finite value (0 when
    // there is none); returns how many were replaced.
    static std::size_t ReplaceNonFinite(std::vector<float>& values);
    // The warning for count replaced values.
    static std::wstring NonFiniteWarning(std::size_t count);
};
