#include "UiCall.h"

#include "pixorama/platform/System.h"

#include <mutex>

void gCallOnUiThread(const std::function<void()>& fn)
{
    static std::mutex handOver;
    { const std::lock_guard<std::mutex> before(handOver); }
    plat::runOnUiThread([&] {
        const std::lock_guard<std::mutex> during(handOver);
        fn();
    });
    { const std::lock_guard<std::mutex> after(handOver); }
}
