#pragma once

#include "pixorama/brovia/QEVWndParaBase.h"

// The panel for colour-picture effects: threshold strips.
class QEVWndParaColorIma : public QEVWndParaBase {
public:
    void SetupGroups() override;

protected:
    QEVSelfDrawWndBase* NewStrip() const override;
};
