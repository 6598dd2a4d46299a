// The notice reader: a thread that waits for the mouse's own input reports
// (DPI stage, report rate, key matrix or macro switched on the mouse) and
// hands them to a notice sink. It is created idle and starts reading when
// resumed; while no mouse is ready it sleeps until the next successful search
// wakes it. Unlike a thread that lives until the process dies, it can be
// stopped and joined.
#pragma once

#include <condition_variable>
#include <mutex>
#include <thread>

#include "device/device_link.h"
#include "device/mouse_notice.h"

namespace kv12 {

enum class ReaderStepOutcome {
    Idle,       // no mouse ready: waited for a wake-up
    Delivered,  // a notice went to the sink
    Ignored,    // a report came but it is no notice, or the mouse is no longer ready
    NoReport,   // the wait ended without a report (woken up, read failed)
};

// One turn of the reader's loop, on the calling thread: waits (without time
// limit) for a wake-up when no mouse is ready, otherwise for one input report
// on the notice interface, and delivers it when it is a notice.
ReaderStepOutcome ReaderStep(DeviceLink& link, const NoticeSink& sink);

class NoticeReader {
  public:
    // Starts the thread, idle. The link must outlive the reader.
    NoticeReader(DeviceLink& link, NoticeSink sink);
    // Stops and joins.
    ~NoticeReader();
    NoticeReader(const NoticeReader&) = delete;
    NoticeReader& operator=(const NoticeReader&) = delete;

    // Lets the thread start reading; later calls change nothing.
    void Resume();
    bool Resumed() const;

    // Ends the thread and waits for it. The sink must not be blocked waiting
    // for the thread that calls Stop, or neither can finish.
    void Stop();

  private:
    void Run();

    DeviceLink& link_;
    NoticeSink sink_;
    mutable std::mutex mutex_;
    std::condition_variable changed_;
    bool resumed_ = false;
    bool stopping_ = false;
    std::thread thread_;
};

}  // namespace kv12
