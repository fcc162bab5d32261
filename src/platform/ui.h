#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace korvane {

enum class MessageButtons { Ok, OkCancel, YesNo, YesNoCancel };
enum class MessageIcon { None, Information, Exclamation, Question, Error };
enum class MessageAnswer { Ok, Cancel, Yes, No };

// A file dialog: which files it lists and what it asks for.
struct FileDialogRequest {
  std::string filterName;        // "GED Dateien (*.ged)"
  std::string pattern;           // "*.ged"
  std::string defaultExtension;  // ".ged"
  bool mustExist = false;
  std::string folder;  // where the dialog opens; empty for the system's choice
};

// What the program logic needs from a windowing system, in the logic's own terms. The Qt
// front end implements it with real windows; ScriptedUi implements it for tests and the
// command line. Texts are UTF-8.
class Ui {
 public:
  virtual ~Ui() = default;

  // A modal message box; returns the button the user chose.
  virtual MessageAnswer MessageBox(std::string_view text, std::string_view title,
                                   MessageButtons buttons, MessageIcon icon) = 0;

  // The chosen path, or none when the user cancelled.
  virtual std::optional<std::string> ChooseFile(const FileDialogRequest& request) = 0;

  // The three parts of the status bar: 0 file or state, 1 counts and progress, 2 record.
  virtual void SetStatusText(int part, std::string_view text) = 0;

  // The progress bar shown while a file is read or written: it appears at 0, moves one
  // step per call of ProgressBarStep and disappears again.
  virtual void ProgressBarBegin() = 0;
  virtual void ProgressBarStep() = 0;
  virtual void ProgressBarEnd() = 0;

  // Handles the window events that are waiting, so the window stays alive during long work.
  virtual void PumpPendingMessages() = 0;
};

}  // namespace korvane
