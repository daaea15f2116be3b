#pragma once

// What a step of the history covers: the whole picture of canvas 4 (its
// surface, raws, label image, the captured colour planes and the
// overlays), the overlays alone, or the display window of a raw picture
// (its parameters only).
enum class StepScope { Picture, Overlays, Window };
