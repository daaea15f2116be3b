#include "pixorama/canvo/InteractiveImage.h"

void InteractiveImage::InvertWorkingRaw()
{
    if (fileType != FileFloat)
        return;
    RawsWillChange(false);
    for (int y = 0; y < workingRaw.height; ++y) {
        float* row = workingRaw.rows[y];
        for (int x = 0; x < workingRaw.width; ++x)
            row[x] = 65535.0f - row[x];
    }
    MapThroughLut();
    TellPictureChanged();
}
