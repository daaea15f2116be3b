#pragma once

#include "pixorama/workbench/RegionMeasure.h"
#include "pixorama/workbench/ResultsTable.h"
#include "pixorama/workbench/SavedOverlay.h"

#include <optional>

class Canvo;

// Results and region sets of the working canvas 4 and its picture.

// The picture of canvas 4 as the measurements read it: the unmapped raw
// values of a raw picture, the grey plane of an 8-bit one. Empty (no data)
// when the canvas shows nothing.
MeasuredPicture gWorkingPicture();

// The overlay as a region file keeps it; nothing for kinds files do not
// keep and for overlays whose points are not all placed yet.
std::optional<SavedOverlay> gSaveOverlay(const Canvo& overlay);

// The row of one overlay of canvas 4 (a measurement or a region); nothing
// when the overlay measures nothing (yet).
std::optional<ResultRow> gMeasureWorkingOverlay(Canvo& overlay);
// Rows of every overlay of canvas 4, in drawing order.
std::vector<ResultRow> gMeasureWorkingOverlays();
// The row of "统计分析": the selected region, or the whole picture ("全图").
std::optional<ResultRow> gStatisticsRow();

// After the user released the mouse on canvas 4: the selected measurement's
// row is put in the results (added or replaced), a selected region's row
// replaced when it has one.
void gReportTouchedOverlay();

// The regions and measurements of canvas 4.
RegionSet gWorkingRegionSet();
// Adds the set's overlays to canvas 4 as if drawn there (the set must be of
// the picture's size); the last one stays selected.
void gPlaceRegionSet(const RegionSet& set);
