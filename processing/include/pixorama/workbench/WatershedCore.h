#pragma once

#include <cstddef>
#include <functional>
#include <stdexcept>
#include <vector>

// The marker-free morphological watershed on 8-bit pictures. Pictures are
// byte arrays of w x h, row after row, row 0 at the top; label pictures are
// int arrays of the same layout.
//
// Every operation allocates its own buffers. When memory runs out it throws
// SegmentationError whose text is the operation's name followed by
// " => cannot allocate memory".

class SegmentationError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Square maximum (dilation) and minimum (erosion) filters over a window of
// 2 radius + 1, clipped at the picture's edges. src and dst are distinct
// buffers of w x h.
void DilateSquare(const unsigned char* src, unsigned char* dst, int w, int h, int radius);
void ErodeSquare(const unsigned char* src, unsigned char* dst, int w, int h, int radius);
// The closing: ErodeSquare of DilateSquare with the same radius, without a
// picture-sized buffer in between. dst may be src.
void CloseSquare(const unsigned char* src, unsigned char* dst, int w, int h, int radius);
// Calls row(y, closed) for every row y of count pictures of one size
// (pictures[p][y] holds row y of picture p), closed[p] the w bytes of that row
// of CloseSquare of picture p, valid during the call. row may change row y of
// the pictures meanwhile. Large pictures are split over the processors: calls
// for different rows may run side by side.
using ClosedRows = std::function<void(int y, const unsigned char* const* closed)>;
void ForClosedRows(unsigned char* const* const* pictures, int count, int w, int h, int radius, const ClosedRows& row);
// Calls row(y, maxima, minima) for every row y with that row of DilateSquare
// and ErodeSquare, w bytes each, valid during the call. Large pictures are
// split over the processors: calls for different rows may run side by side.
using SquareExtremesRow = std::function<void(int y, const unsigned char* maxima, const unsigned char* minima)>;
void ForSquareExtremes(const unsigned char* src, int w, int h, int radius, const SquareExtremesRow& row);
// One 3 x 3 step: the maximum (minimum) over each pixel and its two
// neighbours along the row, then along the column (at the ends over the pixel
// and its one neighbour).
void DilateStep(const unsigned char* src, unsigned char* dst, int w, int h);
void ErodeStep(const unsigned char* src, unsigned char* dst, int w, int h);

// The sum over scales i = 0..scales-1 of (dilation^(i+1) - erosion^(i+1))
// eroded i times. Sums are held at 255 rather than wrapped, so the strongest
// edges stay the highest ridges.
std::vector<unsigned char> MultiscaleGradient(const unsigned char* picture, int w, int h, int scales);

// Fills the minima shallower than depth, in place: twenty dilations held
// under picture + depth (held at 255), then twenty erosions held above the
// original picture.
void GenericClosingByReconstruction(unsigned char* picture, int w, int h, int depth);

// The picture inside a one-pixel frame of 255: (w + 2) x (h + 2).
std::vector<unsigned char> MakeNewGradient(const unsigned char* picture, int w, int h);

// The w x h interior positions of a framed picture (framed indices), in
// ascending grey value, row by row and left to right within one value. When
// levelStarts is given, its 257 entries receive where each value's run
// begins, and the total.
std::vector<int> CountingSort(const unsigned char* framed, int w, int h, std::size_t* levelStarts = nullptr);

// Immersion watershed with 4-connectivity and no dam pixels: every pixel gets
// a basin label 1, 2, ... in the order the basins' minima are met. Neighbours
// are taken in the order right, below, left, above; a pixel joins the basin of
// its lowest lower neighbour, the first in that order on ties.
std::vector<int> GenericWatershed(const unsigned char* picture, int w, int h);

// Test hook: the allocation `countdown` allocations from now (1 = the next
// one) fails as if memory had run out. 0 turns it off.
void FailSegmentationAllocationForTesting(int countdown);
