#pragma once

#include "pixorama/common/CString.h"
#include "pixorama/platform/Types.h"

#include <vector>

namespace plat {
class Wnd;
}
class QEVDBLayOut;

// The browser layout of the process, driven through these functions:
// gLayOutOneSetLayOutType, then gLayOutOneCreateForConcatAndRec, then
// gLayOutOneSetClient on every resize of the host. The file lists can be
// read at any time; before creation they are empty.

// 1 selects four sections, anything else three.
void gLayOutOneSetLayOutType(int type);
// Creates the layout as a visible child of parent with that id; returns 1
// (0 without a parent). A second call replaces the first layout.
int gLayOutOneCreateForConcatAndRec(plat::Wnd* parent, unsigned id);
void gLayOutOneSetClient(const plat::Rect& rect);

std::vector<CString>* gLayOutOneGetFilesInOne();
std::vector<CString>* gLayOutOneGetFilesInTwo();
int gLayOutOneNrFileInOne();
int gLayOutOneNrFileInTwo();
// The index-th path of the list as zero-terminated UTF-8 in buffer. The
// form without a length takes a buffer of gLayOutOnePathBufferSize bytes.
// A path that does not fit, or an index outside the list, leaves the
// buffer untouched and returns false.
constexpr int gLayOutOnePathBufferSize = 4096;
bool gLayOutOneGetFileInOne(char* buffer, int index);
bool gLayOutOneGetFileInTwo(char* buffer, int index);
bool gLayOutOneGetFileInOne(char* buffer, int bufferLength, int index);
bool gLayOutOneGetFileInTwo(char* buffer, int bufferLength, int index);

// The display-window strip of the grey-scale panel: the histogram of the
// picture it windows (256 bins; empty draws none), and the window's low and
// high points as its reports carry them, for a window changed elsewhere.
// Nothing happens before creation.
void gLayOutOneSetRawHistogram(const std::vector<double>& bins);
void gLayOutOneSetRawWindow(float low, float high);

// The process's layout window; null before creation or once its parent
// has destroyed it.
QEVDBLayOut* gLayOutOneGetLayOut();

// A further, independent layout object (no window until its Create).
int CreateCtrlOne(QEVDBLayOut** layout);
int ReleaseCtrlOne(QEVDBLayOut** layout);
