#pragma once

#include "pixorama/common/CString.h"
#include "pixorama/common/ClassData2DIO.h"
#include "pixorama/parlet/QEVImaParaRecords.h"

#include <functional>
#include <vector>

class SequenceJob;

// The sequence operations of the menu "图像编辑" over a list of raw files:
// averaging, cutting and format conversion. The cores below run in the
// caller's thread and report through the job; RunSequenceCommand starts
// them from the menu, pixorama-batch from the command line.

// A slice of a sequence: indices first, first + step, ... below end,
// clipped to the list.
struct IndexRange {
    int first = 0;
    int end = 1 << 30;
    int step = 1;
};

// The display window of a raw picture as fractions of the full range (the
// last panel report of kind 19).
struct DisplayWindow {
    float left = 0.0f;
    float right = 1.0f;
};

// The batch multi-scale detail enhancement: an 8-bit picture of the float
// picture's size; false when it could not be made.
using DetailEnhancer = std::function<bool(const ClassData2DIO<float>& picture, ClassData2DIO<unsigned char>& out)>;

// "序列图像相加": the mean of the files it could read, in mean. Files that
// are missing, short or of another pixel type are skipped and named in one
// message. True when every file was read; mean is empty when fewer than
// two files are given or none could be read.
bool AverageSequence(const std::vector<CString>& files, const tagQEVImaLoadPara& load, ClassData2DIO<float>& mean,
                     SequenceJob& job);

// "序列图像剪切": file i of the range cropped to the rectangle and written in
// its own pixel type to its folder as "%d.raw" of i + 10000. An output that
// names a file of the sequence not read yet is held back and written once
// that file has been read. True when every file of the range was cut and
// written.
bool CutSequence(const std::vector<CString>& files, const tagQEVImaLoadPara& load, const tagQEVImaROIRectPara& rect,
                 const IndexRange& range, SequenceJob& job);

struct ConvertOptions {
    DisplayWindow window;
    DetailEnhancer enhance; // needed for the detail kinds 1 and 2
    // Limits the indices when set, and its step (when above 0) replaces
    // OutImaStep; a slice of a longer run keeps the numbers the whole run
    // would give.
    bool useRange = false;
    IndexRange range;
};

// "格式转化" of para.Files into para.OutDir. For an 8-bit output with a
// mapping, MapRangeLowOut is raised to 0 and MapRangeHighOut lowered to
// 255 in para. A missing or short file writes nothing under its number;
// such files and outputs that could not be written are reported at the end.
// True when every file of the range was converted and written.
bool ConvertSequence(tagQEVImaFormatPara& para, const ConvertOptions& options, SequenceJob& job);

// The output file name of conversion number m (10000 for the first).
CString ConvertOutputName(const tagQEVImaFormatPara& para, int number);

// Linear map of a picture from [a, b] to [c, d]: at or below a gives c, at
// or above b gives d. Unchanged when |b - a| or |d - c| is below 1e-10.
void LinearMap(ClassData2DIO<float>& picture, float a, float b, float c, float d);

// What the menu commands need from the frame and the browser. Each setter
// takes an empty function to restore the default.
// The sequence shown in the browser; default: a multiple file chooser.
void SetSequenceFileSource(std::function<std::vector<CString>()> source);
std::vector<CString> SequenceFiles();
// The display window of the working picture; default 0..1.
void SetDisplayWindowSource(std::function<DisplayWindow()> source);
DisplayWindow CurrentDisplayWindow();
// The batch detail enhancement; default: none (the detail kinds refuse).
void SetBatchDetailEnhancer(DetailEnhancer enhancer);
DetailEnhancer BatchDetailEnhancer();
