#pragma once

// The handler groups that the main frame routes command ids to, beyond the
// frame's own basic, view, selection and edit commands. Each takes the
// command id and switches on it; an id no case names does nothing. Each acts
// on the working canvas 4 and the working state.
void RunAnalysisCommand(int id);  // 2415-2416: statistics and uniformity
void RunEnhanceCommand(int id);   // 2394-2403: enhancement of 8-bit pictures
void RunArtCommand(int id);       // 2334-2349: photo effects
void RunSegmentCommand(int id);   // 2524-2544: segmentation
void RunSequenceCommand(int id);  // 2379, 2380, 2383: sequence operations

// Message 0x089A from the contrast, threshold and parameter panels: wParam
// points at the panel's report record. Handled on the user-interface thread.
void DispatchParaChange(const void* record);
