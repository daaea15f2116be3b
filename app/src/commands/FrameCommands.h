#pragma once

// The frame's own command groups; each takes the command id and switches
// on it, and an id no case names does nothing. All act on canvas 4.

// 2224-2244: open, reopen, the saves, 8-bit conversion, "固化结果".
void RunBasicCommand(int id);
// 2255-2258: the view layouts.
void RunViewModeCommand(int id);
// 2274-2304: selections and measurements.
void RunSelectionCommand(int id);
// 2928-2954: the test table.
void RunTestCommand(int id);
