#include "event_log.h"

#include <mutex>
#include <utility>

namespace {
std::mutex eventsMutex;
std::vector<std::string> events;
}  // namespace

void RecordEvent(const char* event) {
    std::lock_guard<std::mutex> lock(eventsMutex);
    events.emplace_back(event);
}

std::vector<std::string> TakeEvents() {
    std::lock_guard<std::mutex> lock(eventsMutex);
    return std::exchange(events, {});
}
