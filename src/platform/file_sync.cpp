#include "platform/file_sync.h"

#if defined(__linux__)
#include <fcntl.h>
#endif

namespace korvane {

void StartWriteBack(std::FILE* file, std::uint64_t offset, std::uint64_t length) {
#if defined(__linux__) && defined(SYNC_FILE_RANGE_WRITE)
  if (std::fflush(file) != 0) return;  // the writer reports failures itself
  ::sync_file_range(::fileno(file), static_cast<off64_t>(offset), static_cast<off64_t>(length),
                    SYNC_FILE_RANGE_WRITE);
#else
  (void)file;
  (void)offset;
  (void)length;
#endif
}

}  // namespace korvane
