#pragma once

#include "pixorama/common/CString.h"

// Reading image files into a canvas and saving what it holds or shows. An id
// outside 0..4 is ignored. Every save asks for the file name itself and does
// nothing when the chooser is cancelled or the canvas shows nothing.

// Reads by extension (case ignored): "raw",
// "hraw", "his" and files without one go through the raw-load dialog and end
// in the float display (or the 8-bit one when the dialog asks for a mapped
// range); anything else is decoded as a picture. Deep grey pictures (16-bit,
// floating point) are shown as float images with their values kept.
// Failures are told to the user and leave the picture shown before; true
// when a new picture is shown.
// A new picture deletes every overlay.
bool gCVSReadFile(int id, CString& path, bool keepOriginal);
// Whether gCVSReadFile would try path: raw data by its extension, or a file
// a picture decoder recognises. Drops of anything else are refused.
bool gCVSCanReadFile(const CString& path);

// The working raw (0..65535) as little-endian 32-bit floats, top row first.
// Without a float image nothing is written.
void gCVSSaveRaw(int id);
// The displayed grey levels as an 8-bit grey bitmap.
void gCVSSave8bit(int id);
// The label image of every region, as 32-bit integers, bottom row first.
void gCVSSaveLabel(int id);
// The image as shown in the window, overlays included.
void gCVSSaveImaWithOverlap(int id);
// The canvas surface at image resolution; cropped to the selected rectangle
// (with the measuring lines drawn in) when there is one.
void gCVSSaveNowShowIma(int id);
// The window inside the selected rectangle, or the whole window.
void gCVSSaveClient(int id);
