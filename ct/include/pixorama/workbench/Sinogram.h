#pragma once

#include "pixorama/common/ClassData2DIO.h"
#include "pixorama/parlet/QEVImaParaRecords.h"

class SequenceJob;

// Sinograms: detector row m_RowIndex of every projection in Files, one
// sinogram row per file, m_width samples each (m_PixelType 0: unsigned
// 16-bit, 1: float). Only that row is read from each file.

// In the caller's thread. A missing or short file gives a zero row; such
// files are named once at the end. True when every row was read; the
// sinogram stays empty when fewer than two files are given or the record's
// sizes are unusable.
bool ExtractSinogram(const tagQEVImaRowDataPara& para, ClassData2DIO<float>& sinogram, SequenceJob& job);

// Starts the extraction on a worker (progress to ProgressCtrl) that shows
// the sinogram in canvas 4 on the user-interface thread. The record must
// outlive the worker. True when it started.
bool gExtractSinogram(tagQEVImaRowDataPara& para);
