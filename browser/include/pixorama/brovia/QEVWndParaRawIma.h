#pragma once

#include "pixorama/brovia/QEVWndParaBase.h"

// The panel for grey-scale (raw) picture display: contrast strips for the display window and the colour channels.
class QEVWndParaRawIma : public QEVWndParaBase {
public:
    void SetupGroups() override;

protected:
    QEVSelfDrawWndBase* NewStrip() const override;
};
