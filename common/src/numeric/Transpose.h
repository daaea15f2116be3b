#pragma once

#include <cstddef>

// Cache-blocked transposes of row-major float matrices. Eight-by-eight blocks
// are transposed in registers when both sizes are multiples of eight.

// dst[x][y] = src[y][x] for src rows rowBegin..rowEnd-1 and all cols columns.
void transposeRows(const float* src, std::ptrdiff_t srcStride, float* dst, std::ptrdiff_t dstStride, int rowBegin,
                   int rowEnd, int cols);

// In an n x n matrix, exchanges tile (ti, tj) with the transpose of tile
// (tj, ti), tiles being tile x tile; ti == tj transposes the tile in place.
// n must be a multiple of tile.
void swapTransposeTiles(float* data, std::ptrdiff_t stride, int tile, int ti, int tj);
