#pragma once

// A width and height pair.
class QEVSize {
public:
    int cx = 0;
    int cy = 0;

    QEVSize() = default;
    QEVSize(int w, int h) : cx(w), cy(h) {}
    QEVSize(const QEVSize&) = default;

    QEVSize& operator=(QEVSize other)
    {
        cx = other.cx;
        cy = other.cy;
        return *this;
    }
    QEVSize& operator+=(QEVSize other)
    {
        cx += other.cx;
        cy += other.cy;
        return *this;
    }
    QEVSize& operator-=(QEVSize other)
    {
        cx -= other.cx;
        cy -= other.cy;
        return *this;
    }
};
