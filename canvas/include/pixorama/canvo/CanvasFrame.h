#pragma once

#include "pixorama/canvo/CanvasTypes.h"
#include "pixorama/platform/Dc.h"
#include "pixorama/platform/Types.h"

#include <cstdint>

// The five canvases, addressed by id 0..4. Every function ignores an id
// outside that range: nothing happens and queries return 0, null or an
// empty rectangle.
//
// Surface pixels are blue | green << 8 | red << 16, stored bottom-up: memory
// row r is window line height - 1 - r.

// (Re)creates the canvas surface for a width x height image and deletes all
// overlays.
bool gCVSPrepareCanvas(int id, int width, int height);
// Records the window's client rectangle and painter; (re)creates the client
// surface. Must come before the first gCVSOnDraw.
void gCVSSetClient(int id, plat::Rect& client, plat::Dc* dc);
// Paints into the painter given to gCVSSetClient; dc is not used.
void gCVSOnDraw(int id, plat::Dc* dc);
// Mouse moves, buttons, wheel and key downs; always true.
bool gCVSRespondToMessage(MSG* msg, int id);
// Fast: nearest-pixel stretch of the visible part only; else smooth.
void gCVSSetCanvasFastDisplayMode(int id, bool fast);
// Smooth: the fast mode averages too while the view shrinks the picture (the
// default); off: it keeps the nearest pixel at every zoom.
void gCVSSetCanvasSmoothWhenShrunk(int id, bool smooth);
void gCVSSetCanvasColor(int id, std::uint32_t value);
// When set, painting only copies the client surface, as written by the caller.
void gCVSSetUseClientMemDCPixelDirect(int id, bool direct);

plat::Dc* gCVSGetClientMemDC(int id);
int gCVSGetClientWidth(int id);
int gCVSGetClientHeight(int id);
unsigned* gCVSGetClientPixelPtr(int id);
// Row r of the table points at memory row r; valid until the release, the
// next create or a change of the client size.
unsigned** gCVSCreateClientPixelPtr2D(int id);
bool gCVSReleaseClientPixelPtr2D(int id);

plat::Dc* gCVSGetCanvasHDC(int id);
int gCVSGetCanvasWidth(int id);
int gCVSGetCanvasHeight(int id);
unsigned* gCVSGetCanvasPixelPtr(int id);
unsigned** gCVSCreateCanvasPixelPtr2D(int id);
bool gCVSReleaseCanvasPixelPtr2D(int id);

// Where the whole image lies in client coordinates at the current zoom.
plat::Rect gCVSGetCanvasRegion(int id);
