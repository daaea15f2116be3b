#include "RecordItems.h"

namespace parlet {

template <class R>
const FieldList<R>& FieldsOf(const R&)
{
    static const FieldList<R> fields = [] {
        FieldList<R> list;
        RecordItems<R> items(nullptr, &list);
        Describe(items);
        return list;
    }();
    return fields;
}

template const FieldList<tagQEVImaLoadPara>& FieldsOf(const tagQEVImaLoadPara&);
template const FieldList<tagQEVImaROICirclePara>& FieldsOf(const tagQEVImaROICirclePara&);
template const FieldList<tagQEVImaROIRectPara>& FieldsOf(const tagQEVImaROIRectPara&);
template const FieldList<tagQEVImaFormatPara>& FieldsOf(const tagQEVImaFormatPara&);
template const FieldList<tagQEVImaPairPara>& FieldsOf(const tagQEVImaPairPara&);
template const FieldList<tagQEVImaVolumeRecPara>& FieldsOf(const tagQEVImaVolumeRecPara&);
template const FieldList<tagQEVImaFanSimPara>& FieldsOf(const tagQEVImaFanSimPara&);
template const FieldList<tagQEVImaSipralSimPara>& FieldsOf(const tagQEVImaSipralSimPara&);
template const FieldList<tagQEVImaRowDataPara>& FieldsOf(const tagQEVImaRowDataPara&);
template const FieldList<tagQEVImaWeightAndExtentPara>& FieldsOf(const tagQEVImaWeightAndExtentPara&);
template const FieldList<tagQEVImaFanRecPara>& FieldsOf(const tagQEVImaFanRecPara&);
template const FieldList<tagQEVImaGeneralPara>& FieldsOf(const tagQEVImaGeneralPara&);
template const FieldList<tagQEVImaDimPara>& FieldsOf(const tagQEVImaDimPara&);
template const FieldList<tagQEVTwoPointsPara>& FieldsOf(const tagQEVTwoPointsPara&);

} // namespace parlet
