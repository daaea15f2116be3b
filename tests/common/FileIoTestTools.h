#pragma once

#include "MessageBoxLog.h"
#include "TestHome.h"

#include "pixorama/common/ClassData2DIO.h"
#include "pixorama/platform/Modal.h"

#include <cstdint>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace fileio_test {

// Records the text of every message box shown while it lives, answering OK.
class MessageRecorder {
public:
    MessageRecorder()
    {
        RecordMessageBoxes(texts);
    }
    ~MessageRecorder() { plat::setMessageBoxResponder({}); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    std::vector<std::wstring> texts;
};

// A path inside the current test's home folder.
inline std::string homeFile(const std::string& name)
{
    return (TestHome::path() / name).string();
}

inline std::vector<unsigned char> readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void writeBytes(const std::string& path, const void* bytes, std::size_t count)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(static_cast<const char*>(bytes), std::streamsize(count));
}

template <typename T>
void writeValues(const std::string& path, const std::vector<T>& values)
{
    writeBytes(path, values.data(), values.size() * sizeof(T));
}

inline std::uint32_t le32(const std::vector<unsigned char>& b, std::size_t at)
{
    return std::uint32_t(b[at]) | std::uint32_t(b[at + 1]) << 8 | std::uint32_t(b[at + 2]) << 16 |
           std::uint32_t(b[at + 3]) << 24;
}

inline std::uint16_t le16(const std::vector<unsigned char>& b, std::size_t at)
{
    return std::uint16_t(b[at] | b[at + 1] << 8);
}

template <typename T>
std::vector<T> pixelsOf(const ClassData2DIOGeneral<T>& image)
{
    if (image.width <= 0 || image.height <= 0)
        return {};
    return std::vector<T>(image.data, image.data + std::size_t(image.width) * std::size_t(image.height));
}

template <typename T>
void fillImage(ClassData2DIOGeneral<T>& image, int w, int h, const std::vector<T>& values)
{
    image.SetDim(w, h);
    for (std::size_t i = 0; i < values.size() && i < std::size_t(w) * std::size_t(h); ++i)
        image.data[i] = values[i];
}

} // namespace fileio_test
