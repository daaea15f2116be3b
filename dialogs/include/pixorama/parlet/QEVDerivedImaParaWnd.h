#pragma once

#include "QEVBasicImaParaWnd.h"

// A parameter window whose owner picks the layout after construction (the
// wizard's pages); until then it builds nothing.
class QEVDerivedImaParaWnd : public QEVBasicImaParaWnd {
    Q_OBJECT

public:
    QEVDerivedImaParaWnd();
    ~QEVDerivedImaParaWnd() override;
};
