#pragma once

#include <QImage>

#include <cstdint>
#include <filesystem>
#include <vector>

// The picture the workbench shows when it is given none: a synthetic
// 16-bit radiograph of a limb phantom. Soft tissue, two long bones with a
// cortex and a textured marrow, a threaded metal screw, a line-pair
// pattern from 2 to 10 pixels per pair, a low-contrast disk plate, a step
// wedge from near air to near saturation, small calcifications and
// signal-dependent noise. Values run from about 600 to about 63000.
class SampleImage {
public:
    // Fits the working view of a default-sized main window at scale 1.
    static constexpr int defaultWidth = 960;
    static constexpr int defaultHeight = 840;
    static constexpr const char* fileName = "sample-radiograph.png";
    static constexpr const char* folderName = "samples";

    // width x height values, row 0 at the top; the same every time. Empty
    // for a size below 16 x 16.
    static std::vector<std::uint16_t> generate(int width, int height);

    // generate(width, height) as a 16-bit grey image; null when too small.
    static QImage image(int width = defaultWidth, int height = defaultHeight);

    // Writes generate(width, height) as a 16-bit grey PNG; false when the
    // size is too small or the file cannot be written.
    static bool write(const std::filesystem::path& path, int width = defaultWidth, int height = defaultHeight);

    // The sample beside the program (build tree) or in the installed data
    // folder; empty when neither has it.
    static std::filesystem::path locate();
};
