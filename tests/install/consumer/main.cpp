// An outside program built against an installed Pixorama.
#include <pixorama/brovia.h>
#include <pixorama/canvo.h>
#include <pixorama/common.h>
#include <pixorama/parlet.h>
#include <pixorama/platform.h>
#include <pixorama/tilemo.h>
#include <pixorama/workbench.h>

#include <cstdio>
#include <string>

int main()
{
    ClassData2DIO<unsigned short> image;
    image.SetDim(3, 2);
    image.rows[1][2] = 65535;

    QEVMAPIMA map;
    map.SetRange(100, 200);

    const std::wstring wide = plat::toWide("像素");
    // The canvas library needs no window to hold and map an image.
    ClassData2DIO<float> ramp;
    ramp.SetDim(4, 1);
    for (int x = 0; x < 4; ++x)
        ramp.rows[0][x] = float(x * 100);
    gCVSShowRawFloat(2, ramp, false, true);
    // The browser's file lists can be read before any layout exists.
    char path[16] = "untouched";
    const bool browserOk = gLayOutOneNrFileInOne() == 0 && !gLayOutOneGetFileInOne(path, sizeof path, 0)
                           && std::string(path) == "untouched";

    const bool ok = gCVSGetCanvasWidth(2) == 4 && gCVSGetRaw(2).rows[0][3] == 65535.0f && image.roi.right == 2 && image.rows[1][2] == 65535 && (*map.usMap).data[150] == 127
                    && plat::toUtf8(wide) == "像素" && plat::processorCount() >= 1 && browserOk;
    std::printf(ok ? "consumer ok\n" : "consumer wrong\n");
    return ok ? 0 : 1;
}
