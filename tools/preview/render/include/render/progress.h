// A percentage on stderr for renders long enough to wonder about.
#pragma once

#include <atomic>
#include <chrono>
#include <mutex>
#include <ostream>
#include <string>

namespace aurivel::preview {

class Progress {
public:
    using Clock = std::chrono::steady_clock;

    // Nothing is written to out until delay has passed, so quick renders stay
    // silent; a disabled indicator only counts.
    Progress(std::ostream* out, std::string label, long total, Clock::duration delay = std::chrono::milliseconds(400));
    ~Progress();

    Progress(const Progress&) = delete;
    Progress& operator=(const Progress&) = delete;

    // Safe to call from several threads.
    void Advance(long steps = 1);
    long Done() const { return done_.load(); }

private:
    void Show(long done);
    void Clear();

    std::ostream* out_;
    std::string label_;
    long total_;
    Clock::time_point start_;
    Clock::duration delay_;
    std::atomic<long> done_{0};
    std::mutex printing_;
    Clock::time_point lastShown_{};
    bool shown_ = false;
};

}  // namespace aurivel::preview
