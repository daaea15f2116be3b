#pragma once

#include "pixorama/workbench/SequenceJob.h"

#include <mutex>
#include <ostream>

// Feedback of the batch program: a progress bar redrawn in place when the
// stream is a terminal, otherwise a line at every tenth of the way;
// messages one per line, prefixed with the command.
class ConsoleFeedback : public JobFeedback {
public:
    ConsoleFeedback(std::ostream& err, std::string command, bool terminal);
    void SetRange(int maximum) override;
    void SetPosition(int position) override;
    void Message(const CString& text) override;
    // Ends a progress bar line that is still open.
    void Finish();
    // The first line of the last message, the reason of a failure.
    std::string LastMessage();

private:
    void draw(int position);

    std::mutex mutex;
    std::ostream& err;
    std::string command;
    bool terminal;
    int maximum = 0;
    int lastShown = -1;
    bool barOpen = false;
    std::string last;
};
