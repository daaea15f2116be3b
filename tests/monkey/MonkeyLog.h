#pragma once

#include <cstdio>
#include <mutex>
#include <string>

// Every action and every answer of a monkey run, one line each, flushed at
// once so the log is whole when the run dies.
class MonkeyLog {
public:
    explicit MonkeyLog(std::FILE* out) : out(out) {}

    void Line(const std::string& text)
    {
        std::lock_guard lock(mutex);
        std::fputs(text.c_str(), out);
        std::fputc('\n', out);
        std::fflush(out);
    }

private:
    std::mutex mutex;
    std::FILE* out;
};
