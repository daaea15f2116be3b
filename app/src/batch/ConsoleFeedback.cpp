#include "ConsoleFeedback.h"

#include "pixorama/platform/Strings.h"
#include "pixorama/platform/Translation.h"

#include <algorithm>

namespace {
constexpr int barWidth = 40;
}

ConsoleFeedback::ConsoleFeedback(std::ostream& err, std::string command, bool terminal)
    : err(err), command(std::move(command)), terminal(terminal)
{
}

void ConsoleFeedback::SetRange(int max)
{
    std::lock_guard lock(mutex);
    maximum = std::max(0, max);
    lastShown = -1;
}

void ConsoleFeedback::SetPosition(int position)
{
    std::lock_guard lock(mutex);
    // Position 0 after the work only resets the control; nothing to show.
    if (position == 0 && lastShown >= 0)
        return;
    draw(position);
}

void ConsoleFeedback::draw(int position)
{
    const int total = std::max(1, maximum);
    const int done = std::clamp(position, 0, total);
    if (terminal) {
        const int filled = done * barWidth / total;
        err << '\r' << command << " [" << std::string(std::size_t(filled), '#')
            << std::string(std::size_t(barWidth - filled), ' ') << "] " << done << '/' << total << std::flush;
        barOpen = true;
        lastShown = done;
        return;
    }
    const int tenth = done * 10 / total;
    if (tenth == lastShown)
        return;
    lastShown = tenth;
    err << command << ": " << done << '/' << total << '\n' << std::flush;
}

void ConsoleFeedback::Message(const CString& text)
{
    std::lock_guard lock(mutex);
    if (barOpen) {
        err << '\n';
        barOpen = false;
    }
    const std::string line = plat::toUtf8(plat::tr(text));
    last = line.substr(0, line.find('\n'));
    err << command << ": " << line << '\n' << std::flush;
}

std::string ConsoleFeedback::LastMessage()
{
    std::lock_guard lock(mutex);
    return last;
}

void ConsoleFeedback::Finish()
{
    std::lock_guard lock(mutex);
    if (barOpen)
        err << '\n' << std::flush;
    barOpen = false;
}
