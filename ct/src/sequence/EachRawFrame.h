#pragma once

#include "FileList.h"
#include "pixorama/common/ClassData2DIO.h"
#include "pixorama/common/RawFrame.h"
#include "pixorama/workbench/SequenceJob.h"

#include <functional>
#include <vector>

// Reads the files in order as frames of `layout` and hands each one that
// reads to `use` with its index; the others go to `unreadable`. The job's
// progress follows the files and returns to 0 at the end. False when the job
// was cancelled before the last file.
bool ForEachRawFrame(const std::vector<CString>& files, const RawLayout& layout, SequenceJob& job,
                     FileList& unreadable, const std::function<void(std::size_t, const ClassData2DIO<float>&)>& use);
