#include "pixorama/workbench/SavedOverlay.h"

namespace {

struct KindName {
    int kind;
    const char* file;
    const wchar_t* shown;
};

constexpr KindName kindNames[] = {
    {0, "rectangle", L"矩形"},
    {1, "customRectangle", L"定制矩形"},
    {3, "polygon", L"多边形"},
    {4, "spline", L"样条"},
    {5, "freeRegion", L"自由区域"},
    {8, "distance", L"距离"},
    {9, "angle3", L"角度"},
    {10, "angle4", L"四点角度"},
    {16, "lineProfile", L"线数据"},
};

const KindName* find(int kind)
{
    for (const KindName& k : kindNames)
        if (k.kind == kind)
            return &k;
    return nullptr;
}

} // namespace

void RegionSet::ScaleTo(int newWidth, int newHeight)
{
    if (width <= 0 || height <= 0)
        return;
    const double sx = double(newWidth) / double(width);
    const double sy = double(newHeight) / double(height);
    for (SavedOverlay& overlay : overlays)
        for (PointTemplateBase<double>& p : overlay.points) {
            p.x *= sx;
            p.y *= sy;
        }
    width = newWidth;
    height = newHeight;
}

bool isSavedKind(int kind)
{
    return find(kind) != nullptr;
}

std::string savedKindName(int kind)
{
    const KindName* k = find(kind);
    return k ? k->file : "";
}

int savedKindOf(const std::string& name)
{
    for (const KindName& k : kindNames)
        if (name == k.file)
            return k.kind;
    return -1;
}

std::wstring shownKindName(int kind)
{
    const KindName* k = find(kind);
    return k ? k->shown : L"";
}
