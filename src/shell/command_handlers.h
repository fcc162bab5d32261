#pragma once

namespace korvane {

class App;

// The handlers of the command table, grouped by the file that carries them out. Each
// runs only when its row allows it (see CommandRules); `id` is the command's id.

// file_commands.cpp
void NewCommand(App& app, int id);
void ImportCommand(App& app, int id);
void PartialExportCommand(App& app, int id);
void RecentFileCommand(App& app, int id);
void QuitCommand(App& app, int id);

// person_commands.cpp
void EditCommand(App& app, int id);        // the link operations and the selection
void MarkPersonCommand(App& app, int id);  // select or unselect the highlighted persons
void SoundexCommand(App& app, int id);

// help_commands.cpp
void HelpCommand(App& app, int id);
void InfoCommand(App& app, int id);

}  // namespace korvane
