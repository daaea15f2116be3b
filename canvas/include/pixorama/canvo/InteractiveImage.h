#pragma once

#include "pixorama/canvo/CanvasTypes.h"
#include "pixorama/canvo/InteractiveDC.h"
#include "pixorama/common/ClassData2DIO.h"
#include "pixorama/common/QEVMAPIMA.h"
#include "pixorama/platform/Types.h"

#include <cstdint>
#include <functional>

// One canvas: the drawing half plus the image layer. A float image is kept
// twice, as given (ori raw, on request) and rescaled to 0..65535 (working
// raw); the working raw goes through the 65536-entry LUT into the canvas
// surface. 8-bit pictures are painted into the surface directly.
// The Show operations below are the only writers of the file type, the
// surface, the image size and the raw images.
class InteractiveImage : public InteractiveDC {
public:
    // Rows of an image to show; row y at rows[y] when there is a row table,
    // else at data + y * width.
    template <typename T>
    struct Rows {
        const T* const* rows = nullptr;
        const T* data = nullptr;
        int width = 0;
        int height = 0;

        const T* Row(int y) const { return rows ? rows[y] : data + std::size_t(y) * std::size_t(width); }
        bool Valid() const;
        // Whether any row shares memory with image, or every row is the
        // same row of image.
        bool Overlaps(const ClassData2DIO<float>& image) const;
        bool Is(const ClassData2DIO<float>& image) const;
    };

    // Bad input (no pixels, a non-positive size, planes of different sizes)
    // changes nothing and returns false.
    bool ShowFloat(const Rows<float>& image, bool keepOriginal, bool clearOverlays);
    bool ShowGray(const Rows<unsigned char>& image, bool clearOverlays);
    bool ShowColour(const Rows<unsigned char>& r, const Rows<unsigned char>& g, const Rows<unsigned char>& b,
                    bool clearOverlays);
    // Colour pixels 0x00RRGGBB (the high byte is dropped); file type 1.
    bool ShowPixels(const Rows<plat::Pixel>& image, bool clearOverlays);
    // As ShowFloat, taking image's pixels instead of copying them; image is
    // left with the previous working raw's buffer, or empty.
    bool ShowFloatTaking(ClassData2DIO<float>& image, bool keepOriginal, bool clearOverlays);
    // Hands the working raw's buffer to a decoder, which reuses it when the
    // size matches; the canvas has no working raw until the next Show.
    void LendWorkingRaw(ClassData2DIO<float>& into);
    // Takes back a lent buffer that was not written to.
    void ReturnWorkingRaw(ClassData2DIO<float>& from);
    // No image: no surface, no raw images, file type 0.
    void ShowNothing();
    // A blank surface of width x height (negative sizes give none) with the
    // overlays deleted; the file type and the raw images stay.
    void ShowBlank(int width, int height);

    // Shows a float image the other way round, low values bright, by
    // turning the working raw over (v -> 65535 - v); the ori raw keeps the
    // values. Float images only.
    void InvertWorkingRaw();

    // Display window as fractions of 0..65535; float images only. Applies
    // inside the selected region when a region is selected.
    void SetLutPara(float left, float right) override;

    // Rasterises the regions (all, or only the selected one) into the label
    // image; returns the label of the last region filled, 1 when none.
    int GenerateLabel(bool selectedOnly);
    // The label image, bottom-up like the canvas surface.
    ClassData2DIO<int>& LabelImage();
    // >= 0: every label is this value and the label image is not written
    // yet; -1 once it is.
    int UniformLabel() const { return uniformLabel; }
    // Every label becomes value (>= 0) without writing the image.
    void SetUniformLabel(int value) { uniformLabel = value; }

    // Tells the overlay watcher that the raw images are about to change;
    // replaced when the change writes them whole without reading them
    // first. Every writer of the raws calls this.
    void RawsWillChange(bool replaced);

    // The image value under a client point; -1.0 when there is none to read.
    float PixelValue(plat::Point display);

    // Called after every change of the picture (any Show, Invert, nothing
    // shown), so what was derived from the old one can be dropped.
    std::function<void()> pictureChanged;

    QEVMAPIMA lut;
    double measureScale = 1.0;
    ClassData2DIO<float> oriRaw;
    ClassData2DIO<float> workingRaw;
    int imageWidth = 0;
    int imageHeight = 0;
    FileType fileType = FileNothing;

private:
    bool Prepare(int width, int height, bool clearOverlays, FileType type);
    // 8-bit pictures live in the surface alone: the surface to write them
    // into, or null when it cannot be made.
    plat::DibBitmap* PreparePicture(int width, int height, bool clearOverlays);
    void Resize(int width, int height, bool clearOverlays);
    void MapThroughLut();
    void FillLabel(int value);
    void TellPictureChanged() const;

    ClassData2DIO<int> label;
    // >= 0: every label is this value and the image is not written yet.
    int uniformLabel = -1;
};
