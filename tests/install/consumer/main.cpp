// An outside program built against an installed Pixorama.
#include <pixorama/common.h>
#include <pixorama/platform.h>

#include <cstdio>

int main()
{
    ClassData2DIO<unsigned short> image;
    image.SetDim(3, 2);
    image.rows[1][2] = 65535;

    QEVMAPIMA map;
    map.SetRange(100, 200);

    const std::wstring wide = plat::toWide("像素");
    const bool ok = image.roi.right == 2 && image.rows[1][2] == 65535 && (*map.usMap).data[150] == 127
                    && plat::toUtf8(wide) == "像素" && plat::processorCount() >= 1;
    std::printf(ok ? "consumer ok\n" : "consumer wrong\n");
    return ok ? 0 : 1;
}
