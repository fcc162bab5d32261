#pragma once

#include <functional>
#include <string>

namespace korvane {

// The first free backup name for `target`: its extension replaced by ".bak", then ".b01",
// ".b02", … ".b99", ".b100" and on without limit, so no backup is ever overwritten. Only
// a dot in the file name counts as the start of the extension ("my.dir/f" gets "f.bak").
std::string BackupPathFor(const std::string& target,
                          const std::function<bool(const std::string&)>& exists);

// Where the program log goes beside a backup: ".b05" gives ".l05"; any other name gets
// the extension ".log" ("f.bak" and, without a backup, "f.ged" give "f.log").
std::string RotatedLogPath(const std::string& backupOrTarget);

// `path` with everything from the file name's last dot replaced by `extension`.
std::string WithExtension(const std::string& path, const std::string& extension);

}  // namespace korvane
