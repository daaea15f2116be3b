#include "pixorama/canvo/CanvasImage.h"

#include "pixorama/canvo/CanvasTable.h"

namespace {

// Lent to callers for an id outside 0..4: emptied on every such call, so
// nothing written into it survives.
ClassData2DIO<float>& emptyImage()
{
    static ClassData2DIO<float> empty;
    empty.Clear();
    return empty;
}

template <typename T>
InteractiveImage::Rows<T> rowsOf(const ClassData2DIO<T>& image)
{
    return {image.rows, image.data, image.width, image.height};
}

template <typename T>
InteractiveImage::Rows<T> rowsOf(const T* data, int width, int height)
{
    return {nullptr, data, width, height};
}

float* pixelsOf(ClassData2DIO<float>& image)
{
    return image.IsEmpty() ? nullptr : image.data;
}

float** rowTableOf(ClassData2DIO<float>& image)
{
    return image.IsEmpty() ? nullptr : image.rows;
}

// The pointer forms may be written through.
ClassData2DIO<float>& lentRaw(int id, bool ori)
{
    InteractiveImage* canvas = CanvasTable::At(id);
    if (!canvas)
        return emptyImage();
    canvas->RawsWillChange(false);
    return ori ? canvas->oriRaw : canvas->workingRaw;
}

} // namespace

void gCVSShowRawFloat(int id, const ClassData2DIO<float>& ima, bool keepOriginal, bool clearOverlays)
{
    if (InteractiveImage* canvas = CanvasTable::At(id))
        canvas->ShowFloat(rowsOf(ima), keepOriginal, clearOverlays);
}

void gCVSShowRawFloat(int id, float* data, int width, int height, bool keepOriginal, bool clearOverlays)
{
    if (InteractiveImage* canvas = CanvasTable::At(id))
        canvas->ShowFloat(rowsOf<float>(data, width, height), keepOriginal, clearOverlays);
}

void gCVSShowUCGray(int id, ClassData2DIO<unsigned char>& ima, bool clearOverlays)
{
    if (InteractiveImage* canvas = CanvasTable::At(id))
        canvas->ShowGray(rowsOf(ima), clearOverlays);
}

void gCVSShowUCGray(int id, unsigned char* data, int width, int height, bool clearOverlays)
{
    if (InteractiveImage* canvas = CanvasTable::At(id))
        canvas->ShowGray(rowsOf<unsigned char>(data, width, height), clearOverlays);
}

void gCVSShowUCColor(int id, ClassData2DIO<unsigned char>& r, ClassData2DIO<unsigned char>& g,
                     ClassData2DIO<unsigned char>& b, bool clearOverlays)
{
    if (InteractiveImage* canvas = CanvasTable::At(id))
        canvas->ShowColour(rowsOf(r), rowsOf(g), rowsOf(b), clearOverlays);
}

void gCVSShowUCColor(int id, unsigned char* r, unsigned char* g, unsigned char* b, int width, int height,
                     bool clearOverlays)
{
    if (InteractiveImage* canvas = CanvasTable::At(id))
        canvas->ShowColour(rowsOf<unsigned char>(r, width, height), rowsOf<unsigned char>(g, width, height),
                           rowsOf<unsigned char>(b, width, height), clearOverlays);
}

const ClassData2DIO<float>& gCVSGetRaw(int id)
{
    InteractiveImage* canvas = CanvasTable::At(id);
    return canvas ? canvas->workingRaw : emptyImage();
}

float* gCVSGetRawPtr1D(int id)
{
    return pixelsOf(lentRaw(id, false));
}

float** gCVSGetRawPtr2D(int id)
{
    return rowTableOf(lentRaw(id, false));
}

const ClassData2DIO<float>& gCVSGetRawOri(int id)
{
    InteractiveImage* canvas = CanvasTable::At(id);
    return canvas ? canvas->oriRaw : emptyImage();
}

float* gCVSGetRawOriPtr1D(int id)
{
    return pixelsOf(lentRaw(id, true));
}

float** gCVSGetRawOriPtr2D(int id)
{
    return rowTableOf(lentRaw(id, true));
}

void gCVSSetLutPara(int id, float left, float right)
{
    if (InteractiveImage* canvas = CanvasTable::At(id))
        canvas->SetLutPara(left, right);
}

FileType gCVSGetFileType(int id)
{
    InteractiveImage* canvas = CanvasTable::At(id);
    return canvas ? canvas->fileType : FileNothing;
}

void gCVSOnPictureChanged(int id, std::function<void()> listener)
{
    if (InteractiveImage* canvas = CanvasTable::At(id))
        canvas->pictureChanged = std::move(listener);
}

void gCVSSetFileType(int id, FileType type)
{
    if (InteractiveImage* canvas = CanvasTable::At(id))
        canvas->fileType = type;
}

float gCVSGetImaPixelValue(int id, plat::Point displayPoint)
{
    InteractiveImage* canvas = CanvasTable::At(id);
    return canvas ? canvas->PixelValue(displayPoint) : -1.0f;
}

void gCVSGetOriPt(int id, plat::Point display, PointTemplateBase<double>& ori)
{
    if (InteractiveImage* canvas = CanvasTable::At(id))
        ori = canvas->view.ToImage(display);
}

void gCVSGetOriPt(int id, plat::Point display, double& x, double& y)
{
    if (InteractiveImage* canvas = CanvasTable::At(id)) {
        const PointTemplateBase<double> p = canvas->view.ToImage(display);
        x = p.x;
        y = p.y;
    }
}

void gCVSGetDisplayPt(int id, PointTemplateBase<double> ori, plat::Point& display)
{
    if (InteractiveImage* canvas = CanvasTable::At(id))
        display = canvas->view.ToClient(ori);
}

void gCVSGetDisplayPt(int id, double x, double y, plat::Point& display)
{
    gCVSGetDisplayPt(id, PointTemplateBase<double>{x, y}, display);
}

void gCVSSetCanvasMoveMode(int id, DisplayMode mode)
{
    if (InteractiveImage* canvas = CanvasTable::At(id))
        canvas->view.moveMode = mode;
}
