#pragma once

class QCoreApplication;

namespace korvane {

// Makes Qt's own texts (standard buttons, file dialogs, context menus of text fields)
// German like the rest of the program, with the translations the system ships. Without
// them installed Qt stays English; nothing else changes.
void SpeakGerman(QCoreApplication& application);

}  // namespace korvane
