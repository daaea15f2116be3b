#pragma once

#include "pixorama/common/CString.h"
#include "pixorama/parlet/QEVImaParaRecords.h"
#include "pixorama/workbench/ResultsTable.h"
#include "pixorama/workbench/SavedOverlay.h"

#include <vector>

class SequenceJob;

// Measures every region of the set on every raw file of the sequence (image
// load parameters as for the other sequence jobs) and appends one row per
// file and region to table, in file order, with the values the results
// window shows for the same region on the same picture. The set must be of
// the files' size. Files that cannot be read are named in one message and
// left out. True when every file was measured.
bool MeasureSequence(const std::vector<CString>& files, const tagQEVImaLoadPara& load, const RegionSet& set,
                     ResultsTable& table, SequenceJob& job);
