#pragma once

#include <string>

class QImage;

// Shows a picture file on a canvas, decoded by Qt's image readers. Grey
// pictures deeper than 8 bits (16-bit, floating point) go through the float
// display path with their values kept; 8-bit grey through the grey path;
// everything else through the colour path.
class PictureShow {
public:
    // False, with a message box and the canvas left alone, when the file is
    // missing ("文件不存在") or cannot be decoded ("无法读取图像文件").
    static bool showFile(int canvasId, const std::wstring& path);
    // False for a null image.
    static bool showImage(int canvasId, const QImage& image);
};
