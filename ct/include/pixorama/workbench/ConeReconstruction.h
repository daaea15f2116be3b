#pragma once

#include "pixorama/common/CString.h"
#include "pixorama/parlet/QEVImaParaRecords.h"
#include "pixorama/workbench/ProjectionCorrections.h"
#include "pixorama/workbench/Reconstruction.h"

#include <functional>
#include <vector>

class SequenceJob;

// A cone-beam reconstruction as the reconstruction record (ImaRec) asks for
// it, from raw projection files.
struct ConeScan {
    CtGeometry geometry;
    RampChoice ramp;
    int frameWidth = 0;    // raw projection size before cutting
    int frameHeight = 0;
    int pixelType = 0;     // of the projection files: 0 unsigned 16-bit, 1 float
    int outPixelType = 0;  // of the slice files: 0 unsigned 16-bit (attenuation per mm x 10000), 1 float
    int cutSides = 0;      // columns cut at the left and at the right
    int cutEnds = 0;       // rows cut at the top and at the bottom
    bool useLog = true;
    I0Source i0 = I0Source::RowMaximum;
    double fixedI0 = 0;
    int hardening = 0;
    bool rings = false;
    bool speckles = false;
    int threads = 0;       // 0: every processor
    bool cudaAsked = false;
    std::vector<int> slices; // from the record: one slice or a range
    CString saveDir;
};

// The scan of the record for `files` projections. The reconstruction pixel
// fits the field the scan sees into the reconstruction width; an axis that
// images more than an eighth of the width off the detector centre marks an
// offset-detector (half-fan) scan. False, with the reason in error, for a
// record that cannot be reconstructed.
bool ConeScanFromRecord(const tagQEVImaVolumeRecPara& record, int files, ConeScan& scan, CString& error);

// Reads projection i of files into frames[i] (rows rowBegin ... rowEnd - 1
// of the cut detector), corrected as the scan says (speckles, log, beam
// hardening; rings are left to the caller, they need every view).
// Unreadable files are named in one message; false then or when cancelled.
bool LoadConeFrames(const std::vector<CString>& files, const ConeScan& scan, int rowBegin, int rowEnd,
                    std::vector<ClassData2DIO<float>>& frames, SequenceJob& job);

// Reads and corrects the projections and reconstructs the given slices (in
// runs of up to 128 that share a pass over the views), handing each slice to
// done in order; done returning false stops the run. Unreadable files are
// named in one message and stop the run. Progress and cancel go through job.
bool ReconstructConeFiles(const std::vector<CString>& files, const ConeScan& scan, const std::vector<int>& slices,
                          const std::function<bool(int slice, const ClassData2DIO<float>&)>& done, SequenceJob& job);

// Writes a slice as outDir/NNNNN.raw (the slice index in five digits).
bool WriteConeSlice(const CString& outDir, int slice, const ClassData2DIO<float>& image, int outPixelType);
