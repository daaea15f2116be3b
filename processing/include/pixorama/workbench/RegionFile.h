#pragma once

#include "pixorama/workbench/SavedOverlay.h"

#include <string>

// Region files: the regions and measurements of a picture as JSON, so that
// they can be put on another picture or measured over a series. The layout
// is described in README.md ("Region files").
constexpr int regionFileVersion = 1;

// Writes the set through the atomic writer; false with a message on failure.
bool gWriteRegionFile(const std::wstring& path, const RegionSet& set, std::wstring& error);
// Reads a whole file or nothing: false with a message (set unchanged) when
// the file is missing, not a region file, of a later version, or holds an
// overlay with missing or bad points. Overlays of kinds this version does not
// know are skipped.
bool gReadRegionFile(const std::wstring& path, RegionSet& set, std::wstring& error);
