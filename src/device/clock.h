// The waits between commands go through a Clock so that tests and the
// simulator can record them instead of sleeping.
#pragma once

#include <chrono>

namespace kv12 {

class Clock {
  public:
    virtual ~Clock() = default;

    // Blocks the calling thread for the given time (or pretends to).
    virtual void SleepFor(std::chrono::milliseconds duration) = 0;
};

// The real thing: std::this_thread::sleep_for.
class SystemClock final : public Clock {
  public:
    void SleepFor(std::chrono::milliseconds duration) override;
};

}  // namespace kv12
