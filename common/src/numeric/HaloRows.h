#pragma once

#include "pixorama/common/RowSplit.h"

#include <algorithm>
#include <cstddef>
#include <cstring>
#include <vector>

// Rows that a band reads but another band overwrites are copied before any
// band starts: those within ry rows of a boundary between bands. row(q) is
// the copy, or null for a row no other band writes.
template <typename T>
class HaloRows {
public:
    HaloRows(const T* const* rows, int w, int h, int threads, int ry) : rows_(std::size_t(h), nullptr)
    {
        std::vector<int> wanted;
        for (int i = 1; i < threads; ++i) {
            const RowSplit::Range r = RowSplit::range(i, threads, h);
            if (r.empty() || r.begin == 0)
                continue;
            for (int q = std::max(0, r.begin - ry); q < std::min(h, r.begin + ry); ++q)
                wanted.push_back(q);
        }
        std::sort(wanted.begin(), wanted.end());
        wanted.erase(std::unique(wanted.begin(), wanted.end()), wanted.end());
        copies_.resize(wanted.size() * std::size_t(w));
        for (std::size_t i = 0; i < wanted.size(); ++i) {
            T* copy = copies_.data() + i * std::size_t(w);
            std::memcpy(copy, rows[wanted[i]], std::size_t(w) * sizeof(T));
            rows_[std::size_t(wanted[i])] = copy;
        }
    }

    const T* row(int q) const { return rows_[std::size_t(q)]; }

private:
    std::vector<T> copies_;
    std::vector<const T*> rows_;
};
