#include "pixorama/workbench/RegionStatistics.h"

#include "pixorama/platform/Translation.h"

#include <cmath>
#include <cwchar>
#include <limits>

namespace {

// A NaN prints as "nan" whatever its sign bit.
double shown(double v)
{
    return std::isnan(v) ? std::numeric_limits<double>::quiet_NaN() : v;
}

void append(std::wstring& text, const wchar_t* format, double a)
{
    wchar_t buffer[256];
    std::swprintf(buffer, 256, plat::tr(std::wstring(format)).c_str(), shown(a));
    text += buffer;
}

void append(std::wstring& text, const wchar_t* format, double a, double b)
{
    wchar_t buffer[256];
    std::swprintf(buffer, 256, plat::tr(std::wstring(format)).c_str(), shown(a), shown(b));
    text += buffer;
}

} // namespace

std::wstring gStatisticsTextRaw(const RegionMeasures& m)
{
    std::wstring text;
    append(text, L"最大值为%3.4f;", m.maximum);
    append(text, L"最小值为%3.4f;", m.minimum);
    append(text, L"均值为%3.4f\r\n", m.mean);
    append(text, L"总体标准差为(STDEVP)%6.5f;", m.stdevp);
    append(text, L"样本标准差为(STDEV)%6.5f;", m.stdev);
    return text;
}

std::wstring gStatisticsTextColour(const RegionMeasures& m)
{
    std::wstring text;
    append(text, L"最大值为%3.4f;", m.maximum);
    append(text, L"最小值为%3.4f;", m.minimum);
    append(text, L"均值为%3.4f;\r\n", m.mean);
    append(text, L"总体标准差为(STDEVP)%6.5f;总体方差为%6.5f;", m.stdevp, m.stdevp * m.stdevp);
    append(text, L"样本标准差为(STDEV)%6.5f;样本方差为%6.5f;\r\n", m.stdev, m.stdev * m.stdev);
    append(text, L"总体方差/平均值为%6.5f;\r\n", m.stdevp * m.stdevp / m.mean);
    append(text, L"SNR为%3.4f;\r\n", m.snr);
    append(text, L"PSNR为%3.4f;", m.psnr);
    append(text, L"图像熵为%3.4f;", m.entropy);
    append(text, L"JNB值为%3.4f;\r\n", m.jnb);
    return text;
}
