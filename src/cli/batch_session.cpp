#include "cli/batch_session.h"

namespace korvane::cli {

std::string ToTerminalText(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') continue;
    out += text[i];
  }
  return out;
}

BatchSession::BatchSession(CliStreams& streams) {
  ui.SetObserver([&streams](const ScriptedUi::ShownBox& box) {
    std::string text = ToTerminalText(box.text);
    while (!text.empty() && text.front() == '\n') text.erase(0, 1);
    streams.err << box.title << ": " << text << "\n";
  });
}

bool BatchSession::Load(const std::string& path) { return LoadGedFile(context_, path); }

std::string BatchSession::ReportForTerminal() const {
  return ToTerminalText(diagnostics.ReportText());
}

}  // namespace korvane::cli
