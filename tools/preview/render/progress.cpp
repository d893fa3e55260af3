#include "render/progress.h"

namespace aurivel::preview {
namespace {

constexpr auto kRedrawInterval = std::chrono::milliseconds(100);

}  // namespace

Progress::Progress(std::ostream* out, std::string label, long total, Clock::duration delay)
    : out_(out), label_(std::move(label)), total_(total), start_(Clock::now()), delay_(delay) {}

Progress::~Progress() { Clear(); }

void Progress::Advance(long steps) {
    const long done = done_.fetch_add(steps) + steps;
    if (out_ == nullptr) {
        return;
    }
    const auto now = Clock::now();
    if (now - start_ < delay_) {
        return;
    }
    // A thread that finds another one printing skips its turn.
    std::unique_lock<std::mutex> lock(printing_, std::try_to_lock);
    if (lock.owns_lock() && (!shown_ || now - lastShown_ >= kRedrawInterval || done == total_)) {
        lastShown_ = now;
        Show(done);
    }
}

void Progress::Show(long done) {
    const long percent = total_ > 0 ? done * 100 / total_ : 100;
    *out_ << '\r' << label_ << ' ' << percent << '%' << std::flush;
    shown_ = true;
}

void Progress::Clear() {
    if (shown_) {
        *out_ << '\r' << std::string(label_.size() + 6, ' ') << '\r' << std::flush;
    }
}

}  // namespace aurivel::preview
