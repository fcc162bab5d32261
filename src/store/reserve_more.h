#pragma once

#include <algorithm>
#include <cstddef>

namespace korvane {

// Makes room for `extra` more elements, at least doubling the capacity when it grows, so
// that a run of appends moves the elements only a few times in all.
template <typename Vector>
void ReserveMore(Vector& vector, std::size_t extra) {
  if (vector.size() + extra > vector.capacity()) {
    vector.reserve(std::max(vector.size() + extra, vector.capacity() * 2));
  }
}

}  // namespace korvane
