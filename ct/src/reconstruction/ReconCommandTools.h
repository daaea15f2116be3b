#pragma once

// What the reconstruction commands share: the status bar's feedback, the
// picture of canvas 4, showing a result there, and the slices of a
// cone-beam run.
#include "pixorama/common/CString.h"
#include "pixorama/common/ClassData2DIO.h"
#include "pixorama/parlet/QEVImaParaRecords.h"
#include "pixorama/workbench/ConeReconstruction.h"
#include "pixorama/workbench/SequenceJob.h"

#include <memory>
#include <vector>

std::unique_ptr<JobFeedback> ReconFeedback();

// Canvas 4's picture as floats (its raw values, or the grey of an 8-bit or
// colour picture); false, with a message, when the canvas is empty.
bool CanvasPicture(ClassData2DIO<float>& picture);

// Shows image in canvas 4 from any thread.
void ShowInCanvas(ClassData2DIO<float> image);

// The files of the browser's first list and the cone-beam scan the record
// makes of them; false, with a message, when they do not fit.
bool SequenceScan(const tagQEVImaVolumeRecPara& record, std::vector<CString>& files, ConeScan& scan);

// Starts a cone-beam reconstruction of the browser's first list: one slice
// goes to canvas 4, a range into files in the record's save folder.
void StartConeReconstruction(const tagQEVImaVolumeRecPara& record, bool halfFan);

