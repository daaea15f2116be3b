#include "Spares.h"

#include "pixorama/common/AlignedBuffer.h"

#include <algorithm>
#include <utility>
#include <vector>

namespace {

constexpr std::size_t kept = 2;
constexpr std::size_t planesKept = 7; // the captured colour planes of one picture
constexpr std::size_t smallestKept = std::size_t(1) << 20;

// The lists live until the process ends: the history, itself a static,
// hands its buffers over here while it is destroyed at exit.
template <typename T>
std::vector<std::unique_ptr<ClassData2DIO<T>>>& images()
{
    static auto* list = new std::vector<std::unique_ptr<ClassData2DIO<T>>>;
    return *list;
}

template <typename T>
void give(std::unique_ptr<ClassData2DIO<T>> image, std::size_t limit)
{
    if (!image || image->IsEmpty())
        return;
    auto& list = images<T>();
    if (list.size() == limit)
        list.erase(list.begin()); // the oldest goes
    list.push_back(std::move(image));
}

template <typename T>
void putInto(ClassData2DIOGeneral<T>& image, int width, int height)
{
    auto& list = images<T>();
    const auto fits = std::find_if(list.begin(), list.end(), [&](const auto& spare) {
        return spare->width == width && spare->height == height && spare->ownsData && spare->ownsRows;
    });
    if (fits == list.end())
        return;
    image.SwapPixels(**fits);
    list.erase(fits);
}

std::vector<std::vector<plat::Pixel>>& pixelBuffers()
{
    static auto* list = new std::vector<std::vector<plat::Pixel>>;
    return *list;
}

struct Bytes {
    unsigned char* data = nullptr;
    std::size_t size = 0;

    Bytes(unsigned char* data, std::size_t size) : data(data), size(size) {}
    Bytes(Bytes&& other) noexcept : data(std::exchange(other.data, nullptr)), size(other.size) {}
    Bytes& operator=(Bytes&& other) noexcept
    {
        std::swap(data, other.data);
        size = other.size;
        return *this;
    }
    ~Bytes() { pixAlignedFree(data); }
};

std::vector<Bytes>& byteBuffers()
{
    static auto* list = new std::vector<Bytes>;
    return *list;
}

} // namespace

void Spares::Give(std::unique_ptr<ClassData2DIO<float>> image)
{
    give(std::move(image), kept);
}

void Spares::Give(std::unique_ptr<ClassData2DIO<unsigned char>> plane)
{
    give(std::move(plane), planesKept);
}

void Spares::PutInto(ClassData2DIOGeneral<float>& image, int width, int height)
{
    putInto(image, width, height);
}

void Spares::PutInto(ClassData2DIOGeneral<unsigned char>& plane, int width, int height)
{
    putInto(plane, width, height);
}

void Spares::GivePixels(std::vector<plat::Pixel> pixels)
{
    if (pixels.size() * sizeof(plat::Pixel) < smallestKept)
        return;
    auto& list = pixelBuffers();
    if (list.size() == kept)
        list.erase(list.begin());
    list.push_back(std::move(pixels));
}

std::vector<plat::Pixel> Spares::TakePixels(std::size_t count)
{
    auto& list = pixelBuffers();
    const auto fits = std::find_if(list.begin(), list.end(), [&](const auto& p) { return p.size() == count; });
    if (fits == list.end())
        return std::vector<plat::Pixel>(count);
    std::vector<plat::Pixel> pixels = std::move(*fits);
    list.erase(fits);
    return pixels;
}

void Spares::GiveBytes(unsigned char* bytes, std::size_t size)
{
    if (!bytes)
        return;
    if (size < smallestKept) {
        pixAlignedFree(bytes);
        return;
    }
    auto& list = byteBuffers();
    if (list.size() == kept)
        list.erase(list.begin());
    list.emplace_back(bytes, size);
}

unsigned char* Spares::TakeBytes(std::size_t size)
{
    auto& list = byteBuffers();
    const auto fits = std::find_if(list.begin(), list.end(), [&](const Bytes& b) { return b.size == size; });
    if (fits == list.end())
        return nullptr;
    unsigned char* bytes = std::exchange(fits->data, nullptr);
    list.erase(fits);
    return bytes;
}
