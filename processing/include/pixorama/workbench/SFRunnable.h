#pragma once

// A unit of work that a thread runs.
class SFRunnable {
public:
    virtual ~SFRunnable() = default;
    virtual void Run() = 0;
};
