#include "pixorama/common/PrecisionTime.h"

#include "pixorama/common/MessageHelpers.h"
#include "pixorama/platform/Strings.h"
#include "pixorama/platform/System.h"
#include "pixorama/platform/Translation.h"

#include <cstdio>

void PrecisionTime::Start()
{
    frequency = plat::performanceFrequency();
    start = plat::performanceCounter();
}

void PrecisionTime::End()
{
    end = plat::performanceCounter();
}

void PrecisionTime::ShowTime()
{
    seconds = frequency > 0 ? double(end - start) / double(frequency) : 0.0;
    std::printf(plat::toUtf8(plat::tr(L"耗费时间为%2.9f\n")).c_str(), seconds);
    std::fflush(stdout);
    QEVBFloat(float(seconds));
}

double PrecisionTime::GetSecond() const
{
    return seconds;
}
