#pragma once

#include <cstddef>
#include <functional>

namespace korvane {

// Runs `work(i)` for i = 0 .. count-1: 0 on the calling thread, the others on threads of
// their own (or on the calling thread when no thread can be had); returns when all are
// done. An exception of any of them is thrown again here once every thread has ended.
void RunInParallel(std::size_t count, const std::function<void(std::size_t)>& work);

}  // namespace korvane
