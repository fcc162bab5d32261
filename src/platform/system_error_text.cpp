#include "platform/system_error_text.h"

#include <cerrno>

namespace korvane {
namespace {

struct ErrorText {
  int error;
  const char* text;
};

// The reasons a user can do something about come first; the rest name the fault.
constexpr ErrorText kErrorTexts[] = {
    {ENOSPC, "Der Datenträger ist voll"},
    {EDQUOT, "Der zugeteilte Speicherplatz ist aufgebraucht"},
    {EROFS, "Der Datenträger ist schreibgeschützt"},
    {EACCES, "Keine Berechtigung"},
    {EPERM, "Der Vorgang ist nicht erlaubt"},
    {ENOENT, "Die Datei oder der Ordner existiert nicht"},
    {ENOTDIR, "Ein Teil des Pfades ist kein Ordner"},
    {EISDIR, "Das ist ein Ordner"},
    {EEXIST, "Die Datei existiert bereits"},
    {ENAMETOOLONG, "Der Dateiname ist zu lang"},
    {EBUSY, "Die Datei wird gerade benutzt"},
    {ETXTBSY, "Die Datei wird gerade benutzt"},
    {EXDEV, "Die Dateien liegen auf verschiedenen Datenträgern"},
    {EMLINK, "Zu viele Verweise auf die Datei"},
    {EFBIG, "Die Datei ist zu groß"},
    {EMFILE, "Zu viele offene Dateien"},
    {ENFILE, "Zu viele offene Dateien"},
    {ENOMEM, "Nicht genug Arbeitsspeicher"},
    {EIO, "Ein-/Ausgabefehler des Datenträgers"},
    {ENXIO, "Das Gerät ist nicht erreichbar"},
    {ENODEV, "Das Gerät ist nicht erreichbar"},
    {ENOTSUP, "Der Datenträger unterstützt das nicht"},
    {ELOOP, "Zu viele symbolische Verknüpfungen"},
    {ESTALE, "Die Netzwerkdatei ist nicht mehr gültig"},
    {ETIMEDOUT, "Zeitüberschreitung"},
};

}  // namespace

std::string SystemErrorText(int error) {
  for (const ErrorText& entry : kErrorTexts) {
    if (entry.error == error) return entry.text;
  }
  return "Systemfehler " + std::to_string(error);
}

}  // namespace korvane
