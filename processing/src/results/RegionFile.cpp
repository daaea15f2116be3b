#include "pixorama/workbench/RegionFile.h"

#include "pixorama/platform/AtomicFile.h"
#include "pixorama/platform/Strings.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cmath>

namespace {

constexpr const char* formatName = "pixorama-regions";
constexpr qint64 largestFile = 64 << 20;

QJsonObject overlayJson(const SavedOverlay& overlay)
{
    QJsonArray points;
    for (const PointTemplateBase<double>& p : overlay.points)
        points.append(QJsonArray{p.x, p.y});
    QJsonObject o{{"kind", QString::fromStdString(savedKindName(overlay.kind))},
                  {"label", QString::fromStdWString(overlay.label)},
                  {"points", points}};
    if (overlay.kind == 1)
        o["ellipse"] = overlay.ellipse;
    return o;
}

// Points a kind needs: exactly (when exact) or at least that many.
bool pointCountFits(int kind, std::size_t n)
{
    switch (kind) {
    case 0: case 1: case 8: case 16: return n == 2;
    case 9: return n == 3;
    case 10: return n == 4;
    case 4: return n >= 3 && n < 199;
    default: return n >= 3;
    }
}

bool readPoints(const QJsonValue& value, std::vector<PointTemplateBase<double>>& points)
{
    if (!value.isArray())
        return false;
    for (const QJsonValue& p : value.toArray()) {
        const QJsonArray xy = p.toArray();
        if (xy.size() != 2 || !xy[0].isDouble() || !xy[1].isDouble())
            return false;
        const double x = xy[0].toDouble();
        const double y = xy[1].toDouble();
        if (!std::isfinite(x) || !std::isfinite(y) || std::abs(x) > 1e9 || std::abs(y) > 1e9)
            return false;
        points.push_back({x, y});
    }
    return true;
}

bool readOverlays(const QJsonArray& list, RegionSet& set, std::wstring& error)
{
    for (int i = 0; i < list.size(); ++i) {
        const QJsonObject o = list[i].toObject();
        const int kind = savedKindOf(o["kind"].toString().toStdString());
        if (kind < 0)
            continue;
        SavedOverlay overlay;
        overlay.kind = kind;
        overlay.label = o["label"].toString().toStdWString();
        overlay.ellipse = kind == 1 && o["ellipse"].toBool();
        if (!readPoints(o["points"], overlay.points) || !pointCountFits(kind, overlay.points.size())) {
            error = L"区域文件中第 " + std::to_wstring(i + 1) + L" 个对象的点无效";
            return false;
        }
        set.overlays.push_back(std::move(overlay));
    }
    return true;
}

} // namespace

bool gWriteRegionFile(const std::wstring& path, const RegionSet& set, std::wstring& error)
{
    QJsonArray overlays;
    for (const SavedOverlay& overlay : set.overlays)
        if (isSavedKind(overlay.kind))
            overlays.append(overlayJson(overlay));
    const QJsonObject root{{"format", formatName},         {"version", regionFileVersion},
                           {"width", set.width},           {"height", set.height},
                           {"measureScale", set.measureScale}, {"overlays", overlays}};
    const QByteArray bytes = QJsonDocument(root).toJson(QJsonDocument::Indented);
    if (plat::writeFileAtomically(plat::toPath(path), bytes.constData(), std::size_t(bytes.size())))
        return true;
    error = L"无法写入文件：" + path;
    return false;
}

bool gReadRegionFile(const std::wstring& path, RegionSet& set, std::wstring& error)
{
    QFile file(QString::fromStdWString(path));
    if (!file.open(QIODevice::ReadOnly)) {
        error = L"无法打开区域文件：" + path;
        return false;
    }
    if (file.size() > largestFile) {
        error = L"区域文件过大：" + path;
        return false;
    }
    QJsonParseError parse{};
    const QJsonDocument document = QJsonDocument::fromJson(file.readAll(), &parse);
    const QJsonObject root = document.object();
    if (parse.error != QJsonParseError::NoError || root["format"].toString() != formatName) {
        error = L"不是区域文件：" + path;
        return false;
    }
    const int version = root["version"].toInt(0);
    if (version < 1 || version > regionFileVersion) {
        error = L"区域文件的版本 " + std::to_wstring(version) + L" 无法读取：" + path;
        return false;
    }
    RegionSet read;
    read.width = root["width"].toInt(0);
    read.height = root["height"].toInt(0);
    read.measureScale = root["measureScale"].toDouble(1.0);
    if (read.width <= 0 || read.height <= 0 || !(read.measureScale > 0) || !root["overlays"].isArray()) {
        error = L"区域文件的图像尺寸无效：" + path;
        return false;
    }
    if (!readOverlays(root["overlays"].toArray(), read, error))
        return false;
    set = std::move(read);
    return true;
}
