#include "pixorama/workbench/PhotoEffects.h"
#include "pixorama/workbench/WatershedCore.h"


#if defined(__SSE2__)
#include <emmintrin.h>
#endif

namespace {

constexpr int spotRadius = 2;    // a 5 x 5 closing fills spots up to five pixels across
constexpr int spotContrast = 10; // grey levels below the surroundings that make a spot

// The plane's closing into closed, which may be the plane's own pixels.
void Closing(const ClassData2DIO<unsigned char>& plane, unsigned char* closed)
{
    CloseSquare(plane.data, closed, plane.width, plane.height, spotRadius);
}

// A closing never lowers a channel; a spot is where it raises the brightness
// (R + 2 G + B) / 4, taken as two rounded averages so that the line runs on
// byte vectors, by more than the contrast.
inline bool IsSpot(unsigned char raisedR, unsigned char raisedG, unsigned char raisedB)
{
    const unsigned char redBlue = static_cast<unsigned char>((raisedR + raisedB + 1) >> 1);
    const unsigned char raised = static_cast<unsigned char>((redBlue + raisedG + 1) >> 1);
    return raised > spotContrast;
}

// One line: where the closing marks a spot, its values replace the picture's.
void TakeSpots(unsigned char* r, unsigned char* g, unsigned char* b, const unsigned char* cr, const unsigned char* cg,
               const unsigned char* cb, int w)
{
    int x = 0;
#if defined(__SSE2__)
    const __m128i contrast = _mm_set1_epi8(static_cast<char>(spotContrast));
    auto load = [](const unsigned char* p) { return _mm_loadu_si128(reinterpret_cast<const __m128i*>(p)); };
    for (; x + 16 <= w; x += 16) {
        const __m128i vr = load(r + x), vg = load(g + x), vb = load(b + x);
        const __m128i vcr = load(cr + x), vcg = load(cg + x), vcb = load(cb + x);
        const __m128i redBlue = _mm_avg_epu8(_mm_subs_epu8(vcr, vr), _mm_subs_epu8(vcb, vb));
        const __m128i raised = _mm_avg_epu8(redBlue, _mm_subs_epu8(vcg, vg));
        const __m128i calm = _mm_cmpeq_epi8(_mm_subs_epu8(raised, contrast), _mm_setzero_si128());
        auto pick = [calm](__m128i original, __m128i closed) {
            return _mm_or_si128(_mm_and_si128(calm, original), _mm_andnot_si128(calm, closed));
        };
        _mm_storeu_si128(reinterpret_cast<__m128i*>(r + x), pick(vr, vcr));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(g + x), pick(vg, vcg));
        _mm_storeu_si128(reinterpret_cast<__m128i*>(b + x), pick(vb, vcb));
    }
#endif
    for (; x < w; ++x) {
        const bool spot = IsSpot(static_cast<unsigned char>(cr[x] - r[x]), static_cast<unsigned char>(cg[x] - g[x]),
                                 static_cast<unsigned char>(cb[x] - b[x]));
        r[x] = spot ? cr[x] : r[x];
        g[x] = spot ? cg[x] : g[x];
        b[x] = spot ? cb[x] : b[x];
    }
}

} // namespace

// The three closings and the choice run row by row in one split over the
// processors, so no closed plane is written out whole.
void EffectBlemishRemoval(ColourPlanes planes)
{
    if (planes.Empty())
        return;
    unsigned char* const* pictures[] = {planes.r.rows, planes.g.rows, planes.b.rows};
    const int w = planes.Width();
    ForClosedRows(pictures, 3, w, planes.Height(), spotRadius, [&](int y, const unsigned char* const* closed) {
        TakeSpots(planes.r.rows[y], planes.g.rows[y], planes.b.rows[y], closed[0], closed[1], closed[2], w);
    });
}

void EffectStrongBlemishRemoval(ColourPlanes planes)
{
    if (planes.Empty())
        return;
    for (ClassData2DIO<unsigned char>* plane : {&planes.r, &planes.g, &planes.b})
        Closing(*plane, plane->data);
}
