#pragma once

#include <cstdint>
#include <cstdio>

namespace korvane {

// Lets the system start writing [offset, offset + length) of `file` to the disk now,
// without waiting for it, so that a later fsync has less left to wait for. Only a hint.
void StartWriteBack(std::FILE* file, std::uint64_t offset, std::uint64_t length);

}  // namespace korvane
