#pragma once

#include "pixorama/common/CString.h"
#include "pixorama/platform/Types.h"

class Canvo;
class InteractiveImage;

// The canvas's save commands. Each asks for a file name first; a cancelled
// chooser, or a canvas that shows nothing, writes nothing. Write failures
// are told to the user with "保存图像文件失败！".
class CanvasFileSaver {
public:
    // The working raw as 32-bit floats, top row first. A canvas without a
    // float image creates no file.
    static void SaveRaw(InteractiveImage& canvas);
    // The displayed grey levels of the canvas surface as an 8-bit bitmap.
    static void Save8bit(InteractiveImage& canvas);
    // The label of every region as 32-bit integers, bottom row first.
    static void SaveLabel(InteractiveImage& canvas);
    // The last paint of the window: the displayed image (selectedRect
    // false), or the selected rectangle's window area, else the whole
    // window (selectedRect true). Cut to the window.
    static void SaveClient(InteractiveImage& canvas, bool selectedRect);
    // The canvas surface at image resolution, cropped to the selected
    // rectangle with the measuring lines drawn in when there is one.
    static void SaveShown(InteractiveImage& canvas);

    // The first selected rectangle overlay; null when there is none.
    static Canvo* SelectedRect(InteractiveImage& canvas);

private:
    static void Failed();
};
