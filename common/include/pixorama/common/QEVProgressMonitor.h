#pragma once

// A percentage counter: SetRange(n) makes n steps add up to 100.
#pragma pack(push, 1)
class QEVProgressMonitor {
public:
    bool finished = false;
    float indicator = 0.0f;
    float step = 1.0f;

    void SetRange(int n);
    void StepForward();
    // The indicator truncated toward zero.
    int GetIndicator() const;
    void SetState(bool done);
    bool IsFinished() const;
};
#pragma pack(pop)
