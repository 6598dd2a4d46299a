#include "device/clock.h"

#include <thread>

namespace kv12 {

void SystemClock::SleepFor(std::chrono::milliseconds duration) {
    std::this_thread::sleep_for(duration);
}

}  // namespace kv12
