#include "TiffSaver.h"

#include "TiffEncoder.h"

#include "pixorama/canvo/InteractiveImage.h"
#include "pixorama/common/OSCString.h"
#include "pixorama/platform/AtomicFile.h"
#include "pixorama/platform/Strings.h"

#include <algorithm>
#include <cstdint>
#include <vector>

namespace {

bool write(const std::vector<std::uint8_t>& bytes, const CString& path)
{
    return !bytes.empty() && plat::writeFileAtomically(plat::toPath(path), bytes.data(), bytes.size());
}

// Rows of 16-bit samples, one buffer for all, filled by fill(y, row).
template <typename Fill>
std::vector<std::uint8_t> encode16(int width, int height, int samples, Fill fill)
{
    const std::size_t rowSamples = std::size_t(width) * std::size_t(samples);
    std::vector<std::uint16_t> pixels(rowSamples * std::size_t(height));
    std::vector<const std::uint16_t*> rows(static_cast<std::size_t>(height));
    for (int y = 0; y < height; ++y) {
        std::uint16_t* row = pixels.data() + rowSamples * std::size_t(y);
        fill(y, row);
        rows[std::size_t(y)] = row;
    }
    return samples == 1 ? TiffEncoder::Grey16(rows.data(), width, height) : TiffEncoder::Rgb16(rows.data(), width, height);
}

} // namespace

bool TiffSaver::IsTiffName(const CString& path)
{
    const CString ext = OSCString::GetExt(path);
    return ext == L"tif" || ext == L"tiff";
}

bool TiffSaver::SaveFloat(const ClassData2DIO<float>& image, const CString& path)
{
    return write(TiffEncoder::Float32(image.rows, image.width, image.height), path);
}

bool TiffSaver::SaveShown16(InteractiveImage& canvas, const plat::Rect& area, const CString& path)
{
    const ClassData2DIO<float>& working = canvas.workingRaw;
    if (canvas.fileType == FileFloat && !working.IsEmpty() && area.right <= working.width && area.bottom <= working.height)
        return write(encode16(area.width(), area.height(), 1,
                              [&](int y, std::uint16_t* out) {
                                  const float* in = working.rows[area.top + y] + area.left;
                                  for (int x = 0; x < area.width(); ++x)
                                      // Not-a-number fails the first test and is saved as 0.
                                      out[x] = in[x] > 0.0f ? std::uint16_t(std::min(in[x], 65535.0f)) : std::uint16_t(0);
                              }),
                     path);
    if (!canvas.canvasSurface.Exists())
        return false;
    const auto& surface = canvas.canvasSurface.Bitmap();
    return write(encode16(area.width(), area.height(), 3,
                          [&](int y, std::uint16_t* out) {
                              const plat::Pixel* in = surface.line(area.top + y) + area.left;
                              for (int x = 0; x < area.width(); ++x, out += 3) {
                                  out[0] = std::uint16_t((in[x] >> 16 & 0xFF) * 257);
                                  out[1] = std::uint16_t((in[x] >> 8 & 0xFF) * 257);
                                  out[2] = std::uint16_t((in[x] & 0xFF) * 257);
                              }
                          }),
                 path);
}
