#pragma once

#include <cstddef>
#include <memory>
#include <vector>

class InteractiveImage;
class QEVUCDATA2D;
class WorkState;

// One pixel plane of canvas 4's picture as rows of bytes: the canvas
// surface, the working and ori raws, the label image, and the colour planes
// of the working state. The history copies and restores planes through
// this, whatever their pixel type.
class PlaneAccess {
public:
    virtual ~PlaneAccess() = default;
    virtual int Width() const = 0;
    virtual int Height() const = 0;
    virtual std::size_t PixelBytes() const = 0;
    virtual unsigned char* Row(int r) = 0;
    // Gives the plane this size (none for an empty size); the pixels are
    // to be written by the caller.
    virtual void Resize(int width, int height) = 0;

    std::size_t RowBytes() const { return std::size_t(Width()) * PixelBytes(); }
};

// How PicturePlanes offers the label image: not at all; to read, where a
// label image of one value not written yet reads as that value without
// being written; or to write, written out first.
enum class LabelUse { none, read, write };

// Every plane of the picture, in a fixed order (the same for every call):
// the surface first. The label image is at labelPlane, null for
// LabelUse::none. The working and ori raws are at workingRawPlane and
// oriRawPlane, the colour planes from firstColourPlane on.
constexpr int surfacePlane = 0;
constexpr int workingRawPlane = 1;
constexpr int oriRawPlane = 2;
constexpr int labelPlane = 3;
constexpr int firstColourPlane = 4;
constexpr int colourPlaneCount = 7;
std::vector<std::unique_ptr<PlaneAccess>> PicturePlanes(InteractiveImage& canvas, WorkState& state, LabelUse label);

// The index of one of the state's colour planes among PicturePlanes, -1
// for any other image.
int ColourPlaneIndex(WorkState& state, const QEVUCDATA2D& plane);
