#pragma once

#include "pixorama/common/CString.h"
#include "pixorama/common/ClassData2DIO.h"
#include "pixorama/parlet/QEVImaParaRecords.h"

#include <cstdint>

// Headerless raw detector files as the load dialog describes them: width x
// height elements of one pixel type (0 ushort, 1 float, 2 short, 3 uchar,
// 4 int32, 5 double), little- or big-endian, after a header of skipBytes
// (pixel type 3 always starts at byte 0).
class CanvasRawReader {
public:
    enum class Status {
        Ok,
        Missing,    // no such file: the image holds zeros
        CannotOpen, // a folder, or not readable
        TooShort,   // fewer bytes than the header and the pixels need
        BadSize,    // width or height not positive, or too many pixels
        BadSkip,    // negative header size
        BadType,    // unknown pixel type
        NoMemory,
    };

    struct Result {
        Status status = Status::Ok;
        std::int64_t fileBytes = 0;
        std::int64_t neededBytes = 0;
        CString memoryRefusal; // NoMemory before allocating: what it needed
    };

    // Sizes image to the dialog's width x height and fills it with the
    // file's values converted to float. Only Ok and Missing leave a
    // complete image.
    static Result Read(const CString& path, const tagQEVImaLoadPara& para, ClassData2DIO<float>& image);

    // The dialog's 8-bit mapping: the output range is clamped to 0..255,
    // values are rescaled between the ranges (when both are wider than
    // 1e-10) and keep the low byte of their truncation.
    static void MapRange(const ClassData2DIO<float>& image, const tagQEVImaLoadPara& para,
                         ClassData2DIO<unsigned char>& grey);

    // What to tell the user about a read; empty for Ok. Missing is told
    // and the zeros are shown all the same.
    static CString Message(const Result& result, const tagQEVImaLoadPara& para);

    // Bytes per element of a pixel type; 0 for an unknown one.
    static int ElementBytes(int pixelType);
};
