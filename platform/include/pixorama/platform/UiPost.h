#pragma once

#include <functional>

namespace plat {

// Runs call on the user-interface thread later, in posting order, without
// waiting; the hand-over is one the thread checker can see.
void postToUiThread(std::function<void()> call);

} // namespace plat
