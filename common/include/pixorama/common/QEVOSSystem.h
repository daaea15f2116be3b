#pragma once

// Facts about the machine.
class QEVOSSystem {
public:
    // Logical processors; also the number of worker threads of the numeric kernels.
    static int GetProcessorNum();
};
