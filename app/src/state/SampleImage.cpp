#include "pixorama/workbench/SampleImage.h"

#include "pixorama/platform/Image.h"
#include "pixorama/platform/Strings.h"
#include "pixorama/platform/System.h"

#include <QImage>
#include <QString>

#include <algorithm>
#include <cmath>
#include <cstring>

namespace {

constexpr double pi = 3.14159265358979323846;

// Deterministic on every platform, unlike the standard distributions.
class Noise {
public:
    explicit Noise(std::uint64_t seed) : state(seed) {}

    double uniform()
    {
        state ^= state << 13;
        state ^= state >> 7;
        state ^= state << 17;
        return double(state >> 11) * (1.0 / 9007199254740992.0);
    }

    // Box-Muller, one value per call.
    double gaussian()
    {
        const double u = std::max(uniform(), 1e-12);
        const double v = uniform();
        return std::sqrt(-2.0 * std::log(u)) * std::cos(2.0 * pi * v);
    }

private:
    std::uint64_t state;
};

// Chord through a cylinder of radius r at distance d from its axis.
double chord(double r, double d)
{
    const double q = r * r - d * d;
    return q > 0.0 ? 2.0 * std::sqrt(q) : 0.0;
}

// A plate of the test objects, in pixels; right and bottom are outside it.
struct Plate {
    double left;
    double top;
    double right;
    double bottom;

    bool contains(double x, double y) const { return x >= left && x < right && y >= top && y < bottom; }
};

struct Wave {
    double kx;
    double ky;
    double phase;
};

struct Bone {
    double x0;     // axis x at the top end, pixels
    double slope;  // axis dx per dy
    double radius; // shaft radius, pixels
    double top;    // ends, pixels
    double bottom;
};

class Phantom {
public:
    Phantom(int width, int height) : w(width), h(height), s(std::min(width, height) / 1024.0)
    {
        Noise waves(7);
        for (Wave& wave : texture) {
            const double angle = waves.uniform() * pi;
            const double period = (4.0 + 8.0 * waves.uniform()) * std::max(s, 0.25);
            wave = {std::cos(angle) * 2.0 * pi / period, std::sin(angle) * 2.0 * pi / period, waves.uniform() * 2.0 * pi};
        }
        bones[0] = {0.37 * w, 0.02, 0.07 * w, 0.12 * h, 0.95 * h};
        bones[1] = {0.63 * w, -0.01, 0.055 * w, 0.26 * h, 0.92 * h};
    }

    // Attenuation-like value at pixel (x, y), without noise.
    double value(int px, int py) const
    {
        const double x = px + 0.5;
        const double y = py + 0.5;
        double v = 600.0 + 350.0 * y / h; // air, brighter towards the anode side
        v += softTissue(x, y);
        for (const Bone& b : bones)
            v += bone(b, x, y);
        v += linePairs(x, y);
        v += diskPlate(x, y);
        v += stepWedge(x, y);
        v += calcifications(x, y);
        // The metal stops nearly everything, whatever lies behind it.
        if (screw(x, y))
            v = 61000.0 + 0.02 * v;
        return v;
    }

private:
    double softTissue(double x, double y) const
    {
        const double u = (x - 0.5 * w) / (0.36 * w);
        const double v = (y - 0.56 * h) / (0.50 * h);
        const double r2 = u * u + v * v;
        if (r2 >= 1.0)
            return 0.0;
        // Ellipsoid thickness plus a thin denser skin.
        const double skin = r2 > 0.97 ? 1800.0 : 0.0;
        return 15000.0 * std::sqrt(1.0 - r2) + 2500.0 + skin;
    }

    double bone(const Bone& b, double x, double y) const
    {
        if (y < b.top - b.radius * 1.6 || y > b.bottom + b.radius * 1.6)
            return 0.0;
        // Wider heads at both ends, rounded off beyond them.
        const double len = b.bottom - b.top;
        const double e1 = (y - b.top) / (0.07 * len);
        const double e2 = (y - b.bottom) / (0.07 * len);
        double r = b.radius * (1.0 + 0.45 * std::exp(-e1 * e1) + 0.45 * std::exp(-e2 * e2));
        double overshoot = 0.0;
        if (y < b.top)
            overshoot = b.top - y;
        else if (y > b.bottom)
            overshoot = y - b.bottom;
        if (overshoot > 0.0) {
            const double q = r * r - overshoot * overshoot * 2.0;
            if (q <= 0.0)
                return 0.0;
            r = std::sqrt(q);
        }
        const double d = x - (b.x0 + b.slope * (y - b.top));
        // Thin cortex in the heads, thick along the shaft.
        const double inner = r * (0.62 + 0.24 * std::max(std::exp(-e1 * e1), std::exp(-e2 * e2)));
        const double cortex = chord(r, d) - chord(inner, d);
        double marrow = chord(inner, d);
        if (marrow > 0.0) {
            double t = 0.0;
            for (const Wave& wave : texture)
                t += std::sin(wave.kx * x + wave.ky * y + wave.phase);
            marrow *= 1.0 + 0.035 * t;
        }
        return (cortex * 230.0 + marrow * 70.0) / std::max(s, 0.25);
    }

    bool screw(double x, double y) const
    {
        const double cy = 0.36 * h;
        const double x0 = 0.31 * w;
        const double x1 = 0.49 * w;
        if (x < x0 - 0.02 * w || x > x1)
            return false;
        const double half = 0.011 * h;
        if (x < x0) // head
            return std::fabs(y - cy) < 2.2 * half;
        const double pitch = 9.0 * std::max(s, 0.25);
        const double thread = std::sin(2.0 * pi * (x - x0) / pitch) > 0.0 ? 1.35 : 1.0;
        const double tip = std::min(1.0, (x1 - x) / (0.02 * w));
        return std::fabs(y - cy) < half * thread * tip;
    }

    // Five bars per group, pairs of 10 down to 2 pixels, on a thin backing;
    // whole pixels, so the finest pairs alternate pixel by pixel.
    double linePairs(double x, double y) const
    {
        const double top = 0.035 * h;
        const double bottom = top + 0.07 * h;
        if (y < top || y >= bottom)
            return 0.0;
        static constexpr int periods[] = {10, 8, 6, 5, 4, 3, 2};
        const int px = int(x);
        int left = int(0.03 * w);
        for (const int period : periods) {
            const int width = 5 * period;
            if (px >= left && px < left + width)
                return (px - left) % period < period / 2 ? 24000.0 : 1500.0;
            left += width + 12;
        }
        return 0.0;
    }

    // Disks of five sizes (columns) and four contrasts (rows) in a plate.
    double diskPlate(double x, double y) const
    {
        const Plate p{0.72 * w, 0.03 * h, 0.97 * w, 0.21 * h};
        if (!p.contains(x, y))
            return 0.0;
        static constexpr double diameters[] = {3, 5, 8, 12, 18};
        static constexpr double contrasts[] = {0.01, 0.02, 0.04, 0.08};
        const double plate = 12000.0;
        const double cw = (p.right - p.left) / 5.0;
        const double ch = (p.bottom - p.top) / 4.0;
        const int col = std::min(4, int((x - p.left) / cw));
        const int row = std::min(3, int((y - p.top) / ch));
        const double dx = x - (p.left + (col + 0.5) * cw);
        const double dy = y - (p.top + (row + 0.5) * ch);
        const double r = 0.5 * diameters[col] * std::max(s, 0.25);
        return dx * dx + dy * dy < r * r ? plate * (1.0 + contrasts[row]) : plate;
    }

    // Eleven steps from near air to near saturation.
    double stepWedge(double x, double y) const
    {
        const Plate p{0.90 * w, 0.28 * h, 0.97 * w, 0.96 * h};
        if (!p.contains(x, y))
            return 0.0;
        const int step = std::min(10, int((y - p.top) / ((p.bottom - p.top) / 11.0)));
        return 600.0 + step * 6000.0;
    }

    double calcifications(double x, double y) const
    {
        static constexpr double spots[][2] = {{0.27, 0.62}, {0.29, 0.66}, {0.71, 0.48}, {0.52, 0.80}, {0.50, 0.24}};
        for (const auto& spot : spots) {
            const double dx = x - spot[0] * w;
            const double dy = y - spot[1] * h;
            if (dx * dx + dy * dy < 2.3 * std::max(s, 0.5))
                return 5000.0;
        }
        return 0.0;
    }

    int w;
    int h;
    double s;
    Wave texture[10]{};
    Bone bones[2]{};
};

} // namespace

std::vector<std::uint16_t> SampleImage::generate(int width, int height)
{
    if (width < 16 || height < 16)
        return {};
    const Phantom phantom(width, height);
    Noise noise(0x5eed1234abcdULL);
    std::vector<std::uint16_t> out(std::size_t(width) * std::size_t(height));
    for (int y = 0; y < height; ++y) {
        std::uint16_t* row = out.data() + std::size_t(y) * std::size_t(width);
        for (int x = 0; x < width; ++x) {
            const double v = phantom.value(x, y);
            // Quantum noise grows with the signal.
            const double noisy = v + noise.gaussian() * (30.0 + 2.2 * std::sqrt(v));
            row[x] = std::uint16_t(std::clamp(std::lround(noisy), 0L, 65535L));
        }
    }
    return out;
}

QImage SampleImage::image(int width, int height)
{
    const std::vector<std::uint16_t> values = generate(width, height);
    if (values.empty())
        return {};
    QImage out(width, height, QImage::Format_Grayscale16);
    if (out.isNull())
        return {};
    for (int y = 0; y < height; ++y)
        std::memcpy(out.scanLine(y), values.data() + std::size_t(y) * std::size_t(width),
                    std::size_t(width) * sizeof(std::uint16_t));
    return out;
}

bool SampleImage::write(const std::filesystem::path& path, int width, int height)
{
    const QImage picture = image(width, height);
    if (picture.isNull())
        return false;
    std::error_code error;
    if (path.has_parent_path())
        std::filesystem::create_directories(path.parent_path(), error);
    return plat::saveImage(picture, plat::fromPath(path), "PNG");
}

std::filesystem::path SampleImage::locate()
{
    const std::filesystem::path program = plat::programFolder();
    const std::filesystem::path candidates[] = {
        plat::dataFolder(folderName) / fileName,
        program / folderName / fileName,
        program.parent_path() / "share" / "pixorama" / folderName / fileName,
    };
    std::error_code error;
    for (const auto& candidate : candidates) {
        if (std::filesystem::is_regular_file(candidate, error))
            return candidate;
    }
    return {};
}
