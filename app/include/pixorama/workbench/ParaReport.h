#pragma once

struct tagQEVParaReport;

// Message 0x089A: kind 19 is the display window; every other kind is a live
// adjustment of the processing code, recorded as one step of the history
// per gesture.
void DispatchParaReport(const tagQEVParaReport& report);
