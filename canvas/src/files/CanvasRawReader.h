#pragma once

#include "pixorama/common/CString.h"
#include "pixorama/common/ClassData2DIO.h"
#include "pixorama/common/RawFrame.h"
#include "pixorama/parlet/QEVImaParaRecords.h"

#include <cstdint>

// Headerless raw detector files as the load dialog describes them, read
// through the common raw-frame reader (pixel types 0 ushort, 1 float,
// 2 short, 3 uchar, 4 int32, 5 double; 8-bit files have no header).
class CanvasRawReader {
public:
    // The reader's statuses, and ReadFailed: the file stopped giving bytes
    // while the pixels were read.
    enum class Status {
        Ok,
        Missing,    // no such file: the image holds zeros
        CannotOpen, // a folder, or not readable
        TooShort,   // fewer bytes than the header and the pixels need
        BadSize,    // width or height not positive, or too many pixels
        BadSkip,    // negative header size
        BadType,    // unknown pixel type
        NoMemory,
        ReadFailed,
    };

    // Whether Read stopped before it touched the image (its buffer is as it
    // was given).
    static bool RefusedBeforeReading(Status status)
    {
        return status == Status::CannotOpen || status == Status::TooShort || status == Status::BadSize
               || status == Status::BadSkip || status == Status::BadType;
    }

    struct Result {
        Status status = Status::Ok;
        std::int64_t fileBytes = 0;
        std::int64_t neededBytes = 0;
        CString memoryRefusal; // NoMemory before allocating: what it needed
    };

    static RawLayout LayoutOf(const tagQEVImaLoadPara& para);

    // Sizes image to the dialog's width x height and fills it with the
    // file's values converted to float. Only Ok and Missing (zeros) leave
    // a picture to show.
    static Result Read(const CString& path, const tagQEVImaLoadPara& para, ClassData2DIO<float>& image);

    // The dialog's 8-bit mapping: the output range is clamped to 0..255,
    // values are rescaled between the ranges (when both are wider than
    // 1e-10) and keep the low byte of their truncation.
    static void MapRange(const ClassData2DIO<float>& image, const tagQEVImaLoadPara& para,
                         ClassData2DIO<unsigned char>& grey);

    // What to tell the user about a read; empty for Ok. Missing is told
    // and the zeros are shown all the same.
    static CString Message(const Result& result, const tagQEVImaLoadPara& para);
};
