#include "shell/app.h"
#include "shell/command_handlers.h"

namespace korvane {

void HelpCommand(App& app, int) { app.view().OpenHelp(); }

void InfoCommand(App& app, int) { app.view().ShowAbout(); }

}  // namespace korvane
