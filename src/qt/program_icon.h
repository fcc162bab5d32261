#pragma once

#include <QIcon>

namespace korvane {

// The program's icon, drawn once: a small family tree on a green ground.
QIcon ProgramIcon();

}  // namespace korvane
