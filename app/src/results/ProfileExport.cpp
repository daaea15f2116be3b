#include "ProfileExport.h"

#include "pixorama/platform/AtomicFile.h"
#include "pixorama/platform/Strings.h"

#include <QBuffer>
#include <QImage>
#include <QPainter>
#include <QPolygonF>

#include <algorithm>
#include <charconv>

namespace {

std::string profileCsv(const std::vector<float>& values)
{
    std::string text = "\xEF\xBB\xBF" + plat::toUtf8(L"序号,值") + "\r\n";
    char number[32];
    for (std::size_t i = 0; i < values.size(); ++i) {
        const auto end = std::to_chars(number, number + sizeof number, values[i]).ptr;
        text += std::to_string(i) + ',' + std::string(number, end) + "\r\n";
    }
    return text;
}

// The chart as the canvas draws it: the profile scaled into 512 x 150, low
// values at the bottom, with its extremes written in the corner.
QByteArray chartPng(const std::vector<float>& values)
{
    constexpr int width = 512, height = 150;
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    const auto [low, high] = std::minmax_element(values.begin(), values.end());
    const double span = *high > *low ? double(*high - *low) : 1.0;
    QPolygonF line;
    for (int c = 0; c < width; ++c) {
        const std::size_t j = std::min(values.size() - 1, std::size_t(double(c) * double(values.size()) / width));
        line << QPointF(c, height - 1 - (double(values[j]) - *low) * (height - 1) / span);
    }
    QPainter painter(&image);
    painter.setPen(QColor(255, 0, 0));
    painter.drawPolyline(line);
    painter.setPen(QColor(0, 0, 255));
    painter.drawText(5, 15, QString::fromStdWString(L"线数据的最小值为 %1 最大值为 %2").arg(double(*low), 5, 'f', 3).arg(double(*high), 5, 'f', 3));
    painter.end();
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

} // namespace

bool gSaveProfile(const std::wstring& path, const std::vector<float>& values, std::wstring& error)
{
    if (values.empty())
        return false;
    std::filesystem::path csv = plat::toPath(path);
    std::filesystem::path png = csv;
    png.replace_extension(".png");
    const QByteArray chart = chartPng(values);
    if (!plat::writeFileAtomically(csv, profileCsv(values))) {
        error = L"无法写入文件：" + path;
        return false;
    }
    if (!plat::writeFileAtomically(png, chart.constData(), std::size_t(chart.size()))) {
        error = L"无法写入文件：" + plat::fromPath(png);
        return false;
    }
    return true;
}
