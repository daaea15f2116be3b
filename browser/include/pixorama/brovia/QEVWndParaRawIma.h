#pragma once

#include "pixorama/brovia/QEVWndParaBase.h"

#include <vector>

class QEVDlgForContrast;

// The panel for grey-scale (raw) picture display: contrast strips for the display window and the colour channels.
class QEVWndParaRawIma : public QEVWndParaBase {
public:
    void SetupGroups() override;

    // The display-window strip ("窗宽窗位", id 19); null before Create.
    QEVDlgForContrast* WindowStrip() const;
    // The histogram drawn across the display-window strip (empty: none).
    void SetHistogram(const std::vector<double>& bins);
    // Moves the display-window strip to the reported points low and high.
    void SetWindow(float low, float high);

protected:
    QEVSelfDrawWndBase* NewStrip() const override;
};
