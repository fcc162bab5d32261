// generate_gedcom OUT.ged [--persons N] [--seed S] [--encoding ...] [--lf]
// Writes a synthetic lineage-linked GEDCOM file for benchmarks and manual load tests.
#include <charconv>
#include <fstream>
#include <iostream>
#include <string>
#include <string_view>
#include <system_error>
#include <utility>

#include "bench/gedcom_generator.h"

namespace {

using korvane::bench::GeneratedEncoding;

constexpr int kExitError = 1;
constexpr int kExitUsage = 2;

int Usage(std::string_view problem) {
  if (!problem.empty()) std::cerr << problem << "\n";
  std::cerr << "Aufruf: generate_gedcom AUSGABE.ged [--persons N] [--seed S]\n"
               "         [--encoding cp1252|utf8|utf8-nobom|utf16le|utf16be] [--lf]\n";
  return kExitUsage;
}

template <typename T>
bool ParseNumber(std::string_view text, T& value) {
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  return error == std::errc() && end == text.data() + text.size();
}

bool ParseEncoding(std::string_view text, GeneratedEncoding& encoding) {
  constexpr std::pair<std::string_view, GeneratedEncoding> kNames[] = {
      {"cp1252", GeneratedEncoding::Cp1252},
      {"utf8", GeneratedEncoding::Utf8},
      {"utf8-nobom", GeneratedEncoding::Utf8NoBom},
      {"utf16le", GeneratedEncoding::Utf16Le},
      {"utf16be", GeneratedEncoding::Utf16Be}};
  for (const auto& [name, value] : kNames) {
    if (name == text) {
      encoding = value;
      return true;
    }
  }
  return false;
}

}  // namespace

int main(int argc, char** argv) {
  korvane::bench::GeneratorOptions options;
  std::string_view path;
  for (int i = 1; i < argc; ++i) {
    const std::string_view arg = argv[i];
    const bool hasValue = i + 1 < argc;
    if (arg == "--lf") {
      options.crlf = false;
    } else if (arg == "--persons") {
      if (!hasValue || !ParseNumber(argv[++i], options.persons) || options.persons < 1)
        return Usage("Ungültige Personenzahl.");
    } else if (arg == "--seed") {
      if (!hasValue || !ParseNumber(argv[++i], options.seed)) return Usage("Ungültiger Startwert.");
    } else if (arg == "--encoding") {
      if (!hasValue || !ParseEncoding(argv[++i], options.encoding))
        return Usage("Unbekannte Kodierung.");
    } else if (arg.starts_with("--") || !path.empty()) {
      return Usage("Unbekanntes Argument: " + std::string(arg));
    } else {
      path = arg;
    }
  }
  if (path.empty()) return Usage("Keine Ausgabedatei angegeben.");

  std::ofstream out{std::string(path), std::ios::binary | std::ios::trunc};
  if (!out) {
    std::cerr << "Datei kann nicht angelegt werden: " << path << "\n";
    return kExitError;
  }
  korvane::bench::GeneratedCounts counts;
  if (!korvane::bench::GenerateGedcom(options, out, &counts)) {
    std::cerr << "Fehler beim Schreiben von " << path << "\n";
    return kExitError;
  }
  out.close();
  if (!out) {
    std::cerr << "Fehler beim Schreiben von " << path << "\n";
    return kExitError;
  }
  std::cout << counts.persons << " Personen " << counts.families << " Familien\n";
  return 0;
}
