#include "pixorama/parlet/QEVDerivedImaParaWnd.h"

QEVDerivedImaParaWnd::QEVDerivedImaParaWnd()
{
    SetWndTypeOnly(QEV_DERIVED);
}

QEVDerivedImaParaWnd::~QEVDerivedImaParaWnd() = default;
