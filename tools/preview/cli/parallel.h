// Work spread over threads, each item done once in a place of its own, so
// that what is made does not depend on the number of threads.
#pragma once

#include <cstddef>
#include <functional>

namespace aurivel::preview {

// Calls work(i) for each i below count, on `threads` threads at most (the
// caller's among them). The first exception that work throws stops the
// others from starting more and is thrown again once all threads are done.
void ForEachIndex(std::size_t count, int threads, const std::function<void(std::size_t)>& work);

}  // namespace aurivel::preview
