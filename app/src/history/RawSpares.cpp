#include "RawSpares.h"

#include <algorithm>
#include <vector>

namespace {

constexpr std::size_t kept = 2;

std::vector<std::unique_ptr<ClassData2DIO<float>>>& spares()
{
    static std::vector<std::unique_ptr<ClassData2DIO<float>>> list;
    return list;
}

} // namespace

void RawSpares::Give(std::unique_ptr<ClassData2DIO<float>> image)
{
    if (!image || image->IsEmpty())
        return;
    auto& list = spares();
    if (list.size() == kept)
        list.erase(list.begin()); // the oldest goes
    list.push_back(std::move(image));
}

void RawSpares::PutInto(ClassData2DIO<float>& image, int width, int height)
{
    auto& list = spares();
    const auto fits = std::find_if(list.begin(), list.end(), [&](const auto& spare) {
        return spare->width == width && spare->height == height && spare->ownsData && spare->ownsRows;
    });
    if (fits == list.end())
        return;
    image.SwapPixels(**fits);
    list.erase(fits);
}
