// Work spread over threads, each item done once in a place of its own, so
// that what is made does not depend on the number of threads.
#pragma once

#include <cstddef>
#include <functional>

namespace aurivel::preview {

using IndexWork = std::function<void(std::size_t)>;

// Calls work(i) for each i below count, on `threads` threads at most (the
// caller's among them), each thread with the work that makeWork made for it
// (so that it may hold what one thread alone may use). The first exception
// stops the others from starting more and is thrown again once all threads
// are done.
void ForEachIndexPerThread(std::size_t count, int threads, const std::function<IndexWork()>& makeWork);

// The same with one work for all threads.
void ForEachIndex(std::size_t count, int threads, const IndexWork& work);

}  // namespace aurivel::preview
