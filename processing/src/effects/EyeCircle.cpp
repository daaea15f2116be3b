#include "pixorama/workbench/EyeCircle.h"


EyeCircle& gEyeCircle()
{
    static EyeCircle circle;
    return circle;
}
