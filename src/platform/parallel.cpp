#include "platform/parallel.h"

#include <exception>
#include <system_error>
#include <thread>
#include <vector>

namespace korvane {

void RunInParallel(std::size_t count, const std::function<void(std::size_t)>& work) {
  std::vector<std::exception_ptr> errors(count);
  std::vector<std::thread> threads;
  threads.reserve(count);  // no reallocation once threads run
  auto run = [&](std::size_t i) {
    try {
      work(i);
    } catch (...) {
      errors[i] = std::current_exception();
    }
  };
  for (std::size_t i = 1; i < count; ++i) {
    try {
      threads.emplace_back(run, i);
    } catch (const std::system_error&) {
      run(i);  // no thread to be had: this one does the work
    }
  }
  if (count > 0) run(0);
  for (std::thread& thread : threads) thread.join();
  for (const std::exception_ptr& error : errors) {
    if (error) std::rethrow_exception(error);
  }
}

}  // namespace korvane
