#pragma once

#include <string>

#include "platform/file_system.h"
#include "store/diagnostics.h"

namespace korvane {

// Gives `target` the second name `backup` (a free name): a hard link, or where the file
// system has none, a complete copy written under a temporary name beside the target and
// renamed to `backup`. The target itself is never touched. 0, or the error number after
// everything this made is removed again.
int KeepBackup(FileSystem& files, const std::string& target, const std::string& backup);

// Copies the file `from` into `to`, which is synced and closed. 0 or the error number.
int CopyInto(FileSystem& files, const std::string& from, OutputFile& to);

// True for the bytes a program log of ours begins with (the import writes that line).
bool IsProgramLogStart(std::string_view firstBytes);

// Moves the program log beside the backup (or, without one, the target) of an export:
// to RotatedLogPath's name when that is free or holds an earlier program log, otherwise
// to the first free of that name + ".1", ".2", … — a file of the user's is never
// replaced. A log on another file system is copied and then removed. The next
// LogAppend starts a new log. Failures leave the log where it was.
void RotateProgramLog(FileSystem& files, const Diagnostics& diagnostics,
                      const std::string& backupOrTarget);

}  // namespace korvane
