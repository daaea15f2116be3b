#pragma once

#include "pixorama/brovia/QEVWndParaBase.h"

// The panel for volume-rendering parameters: threshold strips.
class QEVWndParaVRPara : public QEVWndParaBase {
public:
    void SetupGroups() override;

protected:
    QEVSelfDrawWndBase* NewStrip() const override;
};
