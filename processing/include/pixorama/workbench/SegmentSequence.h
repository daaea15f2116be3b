#pragma once

#include <functional>
#include <string>
#include <vector>

// The sequence commands of the segmentation group. Outputs go into a folder
// beside the first file, created when missing; a file that cannot be read or
// written is skipped and counted.

// The sequence comes from SequenceFiles() (SequenceOps.h), the same source
// as the other sequence commands.

struct SequenceOutcome {
    int written = 0;
    int skipped = 0;
    bool folderMissing = false; // the output folder could not be created
};

// "序列图像分割": each file read as a grey bitmap, the simple watershed, and a
// 24-bit bitmap of the picture with its basin borders in red saved as
// "分水岭结果/seg_dis_%5d.bmp", file i numbered i + 20000.
SequenceOutcome SegmentSequenceFiles(const std::vector<std::wstring>& files);
std::wstring SegmentedFileName(int index);

// The raw frames of "结束": width x height unsigned 16-bit little-endian
// values after `header` bytes.
struct RawFrameShape {
    int width = 0;
    int height = 0;
    long long header = 0;
};
// "结束": each file read as unsigned 16-bit raw, mapped to 8 bits so that
// 0.206 x 65535 becomes 0 and 0.409 x 65535 becomes 255 (linear between,
// held at both ends) and saved as "补充/%5d.bmp", file i numbered i + 10336.
// A file shorter than the shape asks is skipped.
SequenceOutcome SupplementSequenceFiles(const std::vector<std::wstring>& files, const RawFrameShape& shape);
std::wstring SupplementFileName(int index);
// The 16-bit to 8-bit map of "结束".
unsigned char SupplementMap(unsigned short value);
