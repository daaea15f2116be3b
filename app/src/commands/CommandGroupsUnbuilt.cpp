// Placeholders so the workbench links while the processing code is built
// elsewhere; the real handlers replace this file.
#include "pixorama/workbench/CommandGroups.h"

void RunAnalysisCommand(int) {}
void RunEnhanceCommand(int) {}
void RunArtCommand(int) {}
void RunSegmentCommand(int) {}
void RunSequenceCommand(int) {}
void ApplyLiveAdjustment(const tagQEVParaReport&) {}
