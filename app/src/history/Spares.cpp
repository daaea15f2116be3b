#include "Spares.h"

#include "pixorama/common/AlignedBuffer.h"

#include <algorithm>
#include <optional>
#include <utility>
#include <vector>

namespace {

constexpr std::size_t kept = 2;
constexpr std::size_t planesKept = 7; // the captured colour planes of one picture
constexpr std::size_t smallestKept = std::size_t(1) << 20;

// Every list keeps its newest buffers: at the limit the oldest goes.
template <typename T>
void keepNewest(std::vector<T>& list, T item, std::size_t limit)
{
    if (list.size() == limit)
        list.erase(list.begin());
    list.push_back(std::move(item));
}

template <typename T, typename Fits>
std::optional<T> takeFirst(std::vector<T>& list, Fits fits)
{
    const auto at = std::find_if(list.begin(), list.end(), fits);
    if (at == list.end())
        return std::nullopt;
    T item = std::move(*at);
    list.erase(at);
    return item;
}

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
    if (image && !image->IsEmpty())
        keepNewest(images<T>(), std::move(image), limit);
}

template <typename T>
void putInto(ClassData2DIOGeneral<T>& image, int width, int height)
{
    const auto spare = takeFirst(images<T>(), [&](const auto& s) {
        return s->width == width && s->height == height && s->ownsData && s->ownsRows;
    });
    if (spare)
        image.SwapPixels(**spare);
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
    if (pixels.size() * sizeof(plat::Pixel) >= smallestKept)
        keepNewest(pixelBuffers(), std::move(pixels), kept);
}

std::vector<plat::Pixel> Spares::TakePixels(std::size_t count)
{
    auto pixels = takeFirst(pixelBuffers(), [&](const auto& p) { return p.size() == count; });
    return pixels ? std::move(*pixels) : std::vector<plat::Pixel>(count);
}

void Spares::GiveBytes(unsigned char* bytes, std::size_t size)
{
    if (!bytes)
        return;
    if (size < smallestKept) {
        pixAlignedFree(bytes);
        return;
    }
    keepNewest(byteBuffers(), Bytes(bytes, size), kept);
}

unsigned char* Spares::TakeBytes(std::size_t size)
{
    auto spare = takeFirst(byteBuffers(), [&](const Bytes& b) { return b.size == size; });
    return spare ? std::exchange(spare->data, nullptr) : nullptr;
}
