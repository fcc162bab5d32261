#pragma once

#include <string>

namespace korvane {

// Why a file operation failed, in German, for the system's error number: "Der
// Datenträger ist voll" for ENOSPC, and so on. Numbers without a text of their own are
// named by their number.
std::string SystemErrorText(int error);

}  // namespace korvane
