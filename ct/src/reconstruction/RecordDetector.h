#pragma once

#include "pixorama/workbench/CtGeometry.h"

// The detector, its offsets across the beam, the distances and the turn of
// a fan-beam or cone-beam record: the records name these fields alike.
template <class Record>
void SetDetectorFromRecord(CtGeometry& g, const Record& r)
{
    g.du = r.m_unitsize;
    g.sod = r.m_SOD;
    g.sdd = r.m_SDD;
    g.xOffset = r.m_Xoffset;
    g.axisOffset = r.m_RotatorOffset;
    g.clockwise = r.m_bClockWise != 0;
}
