#pragma once

#include "pixorama/common/CString.h"
#include "pixorama/platform/Types.h"
#include "pixorama/platform/Wnd.h"

class EleContainer;
class QTextEdit;
class QWidget;

// The view layout of the process: one instance, driven through these
// functions. Settings made before gCTERCreate (ratios, maximise response,
// bar colour) are kept and apply to the windows once they exist; calls that
// need the windows return false until then.

// Creates the layout as a child of parent, which from then on receives the
// views' input notifications. The class name is not used; WS_VISIBLE
// (0x10000000) in style shows the window. A second call replaces the
// first layout. False without a parent.
bool gCTERCreate(const CString& className, const CString& windowName, unsigned style, const plat::Rect& rect,
                 plat::Wnd* parent, int id);
// Shows view in the parameter area, as a child of the layout.
bool gCTERSetParaView(QWidget* view);
// Split ratios of the four-view area (see ViewGrid); maximised makes a
// later restore show an even 2 x 2 grid.
bool gCTERSetLayOut(float gridRatio, float rowRatio, float columnRatio, bool maximised);
bool gCTERSetRespondToMaxView(bool respond);
bool gCTERSetSegBarColor(int red, int green, int blue);
bool gCTERSetInfo(const CString& text);
QTextEdit* gCTERGetInfoCtrl();
// A copy of the information strip's text.
CString gCTERGetInfo();
// Moves the layout to rect, in the parent's client coordinates.
bool gCTEROnSize(const plat::Rect& rect);
bool gCTERRefreshAllView();
bool gCTERRefreshLTView();
bool gCTERRefreshRTView();
bool gCTERRefreshLBView();
bool gCTERRefreshRBView();

// The layout's outer window; null before gCTERCreate or once its parent
// has destroyed it.
EleContainer* gCTERGetContainer();
