#include "pixorama/workbench/QEVPyramidDecomposition.h"

#include "pixorama/common/Convolution.h"
#include "pixorama/common/RowSplit.h"

#include "FloatStretch.h"

#include <algorithm>
#include <cmath>

namespace {

int powerOfTwoAtLeast(int n)
{
    int p = 1;
    while (p < n)
        p *= 2;
    return p;
}

// P becomes the detail C - P shifted by 128: below -127 gives 0, else capped at 255.
void keepDetail(const QEVUCDATA2D& copy, QEVUCDATA2D& smooth)
{
    RowSplit::run(smooth.height, [&](int begin, int end) {
        for (int y = begin; y < end; ++y) {
            const unsigned char* c = copy.rows[y];
            unsigned char* p = smooth.rows[y];
            for (int x = 0; x < smooth.width; ++x) {
                const int d = int(c[x]) - int(p[x]);
                p[x] = static_cast<unsigned char>(d < -127 ? 0 : std::min(d + 128, 255));
            }
        }
    });
}

} // namespace

const std::array<unsigned char, 256>& QEVPyramidDecomposition::MapTable()
{
    static const std::array<unsigned char, 256> table = [] {
        std::array<unsigned char, 256> t{};
        for (int i = 0; i < 256; ++i) {
            const double a = i - 128;
            const double v = a >= 0 ? 128.0 + 127.0 * std::pow(a / 127.0, 0.6) : 128.0 - 127.0 * std::pow(-a / 127.0, 0.6);
            t[std::size_t(i)] = static_cast<unsigned char>(std::clamp(v, 0.0, 255.0));
        }
        return t;
    }();
    return table;
}

void QEVPyramidDecomposition::FilterForPyramidDec(QEVUCDATA2D& picture)
{
    if (picture.IsEmpty())
        return;
    static const float taps[5] = {0.05f, 0.25f, 0.4f, 0.25f, 0.05f};
    ClassData2DIO<float> kernel;
    kernel.SetDim(5, 5);
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 5; ++c)
            kernel.rows[r][c] = taps[r] * taps[c] * 4.0f;
    ClassData2DIO<float> work;
    work.SetDim(picture.width, picture.height);
    RowSplit::run(picture.height, [&](int begin, int end) {
        for (int y = begin; y < end; ++y)
            std::copy(picture.rows[y], picture.rows[y] + picture.width, work.rows[y]);
    });
    ConFltMC(&work, &kernel);
    gStretchToBytes(work, picture);
}

void QEVPyramidDecomposition::Initiate(const QEVUCDATA2D& extended, int levelsWanted)
{
    DeInitiate();
    width = extended.width;
    height = extended.height;
    levels.push_back(extended);
    int w = width;
    int h = height;
    levelCount = 0;
    while (levelCount < levelsWanted && w >= 2 && h >= 2) {
        w /= 2;
        h /= 2;
        levels.emplace_back();
        levels.back().SetDim(w, h);
        ++levelCount;
    }
}

void QEVPyramidDecomposition::RunPyramid()
{
    for (auto fine = levels.begin(), coarse = std::next(fine); coarse != levels.end(); ++fine, ++coarse) {
        QEVUCDATA2D copy = *fine;
        FilterForPyramidDec(*fine);
        fine->HalfSize(*coarse);
        coarse->DoubleSize(*fine);
        FilterForPyramidDec(*fine);
        keepDetail(copy, *fine);
    }
}

void QEVPyramidDecomposition::Map()
{
    const auto& table = MapTable();
    for (QEVUCDATA2D& level : levels)
        RowSplit::run(level.height, [&](int begin, int end) {
            for (int y = begin; y < end; ++y)
                for (unsigned char* p = level.rows[y]; p < level.rows[y] + level.width; ++p)
                    *p = table[*p];
        });
}

void QEVPyramidDecomposition::RunIPyramid()
{
    for (auto coarse = levels.rbegin(), fine = std::next(coarse); fine != levels.rend(); ++coarse, ++fine) {
        QEVUCDATA2D expanded;
        coarse->DoubleSize(expanded);
        FilterForPyramidDec(expanded);
        RowSplit::run(fine->height, [&](int begin, int end) {
            for (int y = begin; y < end; ++y) {
                const unsigned char* e = expanded.rows[y];
                unsigned char* f = fine->rows[y];
                for (int x = 0; x < fine->width; ++x)
                    f[x] = static_cast<unsigned char>(std::clamp(int(e[x]) + int(f[x]) - 128, 0, 255));
            }
        });
    }
}

void QEVPyramidDecomposition::DeInitiate()
{
    levels.clear();
    levelCount = 0;
}

bool QEVPyramidDecomposition::Run(QEVUCDATA2D& picture, int levelsWanted)
{
    if (picture.IsEmpty() || levelsWanted < 1)
        return false;
    const int w = picture.width;
    const int h = picture.height;
    const int wp = powerOfTwoAtLeast(w);
    const int hp = powerOfTwoAtLeast(h);
    const int ox = (wp - w) / 2;
    const int oy = (hp - h) / 2;
    QEVUCDATA2D extended;
    extended.SetDim(wp, hp);
    for (int y = 0; y < hp; ++y) {
        const unsigned char* in = picture.rows[pixMirrorIndex<unsigned char>(y - oy, h)];
        unsigned char* out = extended.rows[y];
        for (int x = 0; x < ox; ++x)
            out[x] = in[pixMirrorIndex<unsigned char>(x - ox, w)];
        std::copy(in, in + w, out + ox);
        for (int x = ox + w; x < wp; ++x)
            out[x] = in[pixMirrorIndex<unsigned char>(x - ox, w)];
    }

    Initiate(extended, levelsWanted);
    RunPyramid();
    Map();
    RunIPyramid();
    const QEVUCDATA2D& top = levels.front();
    for (int y = 0; y < h; ++y)
        std::copy(top.rows[y + oy] + ox, top.rows[y + oy] + ox + w, picture.rows[y]);
    DeInitiate();
    return true;
}
