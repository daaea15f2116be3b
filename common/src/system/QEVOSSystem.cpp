#include "pixorama/common/QEVOSSystem.h"

#include "pixorama/platform/System.h"

int QEVOSSystem::GetProcessorNum()
{
    return plat::processorCount();
}
