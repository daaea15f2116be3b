#include "StartupClock.h"

#include <QEvent>
#include <QObject>
#include <QTimer>
#include <QWidget>

#include <ctime>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

namespace {

class FirstPaint : public QObject {
public:
    FirstPaint(QWidget* widget, std::function<void()> done) : QObject(widget), done(std::move(done))
    {
        widget->installEventFilter(this);
    }

    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::Paint && done) {
            // The paint runs after the filter; report once it is over.
            QTimer::singleShot(0, parent(), [call = std::move(done)] { call(); });
            done = nullptr;
        }
        return false;
    }

private:
    std::function<void()> done;
};

} // namespace

double secondsSinceProcessStart()
{
    std::ifstream stat("/proc/self/stat");
    std::string line;
    if (!std::getline(stat, line))
        return -1.0;
    // Field 22 (start time in clock ticks since boot) counts from after the
    // command name, which may hold blanks.
    const std::size_t close = line.rfind(')');
    if (close == std::string::npos)
        return -1.0;
    std::istringstream fields(line.substr(close + 2));
    std::string field;
    for (int i = 3; i < 22 && fields >> field; ++i) {
    }
    unsigned long long startTicks = 0;
    if (!(fields >> startTicks))
        return -1.0;
    timespec now{};
    clock_gettime(CLOCK_BOOTTIME, &now);
    const double ticks = double(sysconf(_SC_CLK_TCK));
    return double(now.tv_sec) + now.tv_nsec * 1e-9 - double(startTicks) / ticks;
}

void afterFirstPaint(QWidget* widget, std::function<void()> done)
{
    if (widget != nullptr)
        new FirstPaint(widget, std::move(done));
}
