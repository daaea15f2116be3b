#include "pixorama/workbench/ProjectionStitch.h"

#include "FlatField.h"
#include "PairPostProcess.h"

#include "pixorama/common/ImageConcat.h"
#include "pixorama/common/Resize.h"

namespace {

void calibrate(QEVFLOATDATA2D& left, QEVFLOATDATA2D& right, const QEVFLOATDATA2D& brightOne, const QEVFLOATDATA2D& darkOne, const QEVFLOATDATA2D& brightTwo,
               const QEVFLOATDATA2D& darkTwo)
{
    const flatfield::Calibration one{brightOne, darkOne};
    const flatfield::Calibration two{brightTwo, darkTwo};
    flatfield::Correct(left, one, flatfield::MedianGain(one));
    flatfield::Correct(right, two, flatfield::MedianGain(two));
    flatfield::RepairDead(left, one, 2, 1);
    flatfield::RepairDead(right, two, 1, 0);
    flatfield::FillDarkSpots(left);
    flatfield::FillDarkSpots(right);
}

void stitchAndCrop(const tagQEVImaPairPara& para, QEVFLOATDATA2D& left, QEVFLOATDATA2D& right)
{
    const bool vertical = para.bVertical != 0;
    if (vertical) {
        left.Transpose();
        right.Transpose();
    }
    // A refused stitch leaves the left image, which goes on alone.
    gImaConcate(&left, &right, para.HoriPara, para.MidCut, para.bOverlapBalance != 0);
    pairpost::CropColumns(left, para.LeftCut, para.RightCut);
    if (vertical)
        left.Transpose();
}

} // namespace

void ProcessImagePair(const tagQEVImaPairPara& para, QEVFLOATDATA2D& left, QEVFLOATDATA2D& right,
                      const QEVFLOATDATA2D& brightOne, const QEVFLOATDATA2D& darkOne,
                      const QEVFLOATDATA2D& brightTwo, const QEVFLOATDATA2D& darkTwo, QEVFLOATDATA2D& result)
{
    if (para.bUseCalib != 0)
        calibrate(left, right, brightOne, darkOne, brightTwo, darkTwo);
    if (para.VertPara != 0)
        right.Shift(0, para.VertPara, 0, 0);
    stitchAndCrop(para, left, right);
    if (para.bResize != 0 && para.ImaThreeW > 0 && para.ImaThreeH > 0) {
        QEVFLOATDATA2D resized;
        resized.SetDim(para.ImaThreeW, para.ImaThreeH);
        ResizeSC(&left, &resized);
        left = resized;
    }
    if (para.OutImaIP == 1)
        pairpost::Bin2x2(left);
    else if (para.OutImaIP == 2)
        pairpost::SmoothRows(left);
    pairpost::CopyOut(left, result);
}
