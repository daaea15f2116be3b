#include "EditRequest.h"

#include "pixorama/workbench/CommandIds.h"
#include "pixorama/parlet/DlgGet.h"
#include "pixorama/platform/Modal.h"

namespace {

constexpr long long largestSide = 32768;
constexpr long long largestArea = 1LL << 27;

bool askCrop(QEVRECT& crop, int w, int h)
{
    tagQEVImaROIRectPara para;
    if (!gDlgGetImaROIRectPara(para))
        return false;
    if (para.m_RectRight < para.m_RectLeft || para.m_RectBottom < para.m_RectTop) {
        plat::messageBox(L"剪切矩形的大小无效");
        return false;
    }
    if (para.m_RectLeft < 0 || para.m_RectTop < 0 || para.m_RectRight >= w || para.m_RectBottom >= h) {
        plat::messageBox(L"剪切矩形超出图像范围");
        return false;
    }
    crop = QEVRECT(para.m_RectLeft, para.m_RectRight, para.m_RectTop, para.m_RectBottom);
    return true;
}

bool askSize(int& width, int& height)
{
    tagQEVImaDimPara para;
    if (!gDlgGetImaDimPara(para))
        return false;
    const long long w = para.ImaOneW;
    const long long h = para.ImaOneH;
    if (w < 1 || h < 1 || w > largestSide || h > largestSide || w * h > largestArea) {
        plat::messageBox(L"图像尺寸无效");
        return false;
    }
    width = int(w);
    height = int(h);
    return true;
}

} // namespace

bool EditRequest::Ask(int command, int pictureWidth, int pictureHeight)
{
    id = command;
    if (command == ID_CROP)
        return askCrop(crop, pictureWidth, pictureHeight);
    if (command == ID_RESIZE)
        return askSize(width, height);
    return true;
}
