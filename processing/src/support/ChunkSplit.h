#pragma once

#include "pixorama/common/RowSplit.h"

// Rows split over one worker per processor, each worker knowing its index,
// so that it can keep totals of its own that the caller merges after the
// join. body(chunk, begin, end) runs once per non-empty chunk.
template <typename Body>
void gForEachChunk(int rows, int chunks, Body&& body)
{
    RowSplit::run(chunks, chunks, [&](int first, int last) {
        for (int chunk = first; chunk < last; ++chunk) {
            const RowSplit::Range r = RowSplit::range(chunk, chunks, rows);
            if (!r.empty())
                body(chunk, r.begin, r.end);
        }
    });
}
