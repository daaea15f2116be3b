#pragma once

struct tagQEVParaReport;

// The handler groups that the main frame routes command ids to, beyond the
// frame's own basic, view, selection and edit commands. Each takes the
// command id and switches on it; an id no case names does nothing. Each acts
// on the working canvas 4 and the working state (WorkState.h) on the
// user-interface thread.
void RunAnalysisCommand(int id);  // 2415-2416: statistics and uniformity
void RunEnhanceCommand(int id);   // 2394-2403: enhancement of 8-bit pictures
void RunArtCommand(int id);       // 2334-2349: photo effects
void RunSegmentCommand(int id);   // 2524-2544: segmentation
void RunSequenceCommand(int id);  // 2379, 2380, 2383: sequence operations
void RunReconCommand(int id);     // 2454-2464: reconstruction and its simulations
void RunLargeFovCommand(int id);  // 2475-2484: stitching, weighting, sinograms

// Message 0x089A from the contrast, threshold and parameter panels. The
// frame's dispatcher handles kind 19 (the display window of a raw picture)
// itself and hands every other kind here: colour adjustments 1-13 and
// 20-22, detail weights 14-17.
void ApplyLiveAdjustment(const tagQEVParaReport& report);
