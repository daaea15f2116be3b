#pragma once

#include <functional>

// plat::runOnUiThread with the hand-over made visible to race detectors:
// what the caller wrote before the call is seen by fn, and what fn wrote is
// seen by the caller afterwards. Qt's own hand-over already orders the two
// threads, but it lives in code that a thread sanitizer does not see.
void gCallOnUiThread(const std::function<void()>& fn);
