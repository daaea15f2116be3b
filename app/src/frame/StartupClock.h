#pragma once

#include <functional>

class QWidget;

// Seconds since the kernel started this process (clock-tick resolution of
// its start, nanoseconds after it); negative when the system cannot say.
double secondsSinceProcessStart();

// Calls done once, right after widget's first paint has finished.
void afterFirstPaint(QWidget* widget, std::function<void()> done);
