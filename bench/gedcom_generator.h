#pragma once

#include <cstdint>
#include <ostream>

// A deterministic generator of large lineage-linked GEDCOM files, shaped like a research file
// exported by a genealogy program, for load, sort and analysis benchmarks.
namespace korvane::bench {

enum class GeneratedEncoding { Cp1252, Utf8, Utf8NoBom, Utf16Le, Utf16Be };

struct GeneratorOptions {
  int persons = 250000;
  std::uint32_t seed = 4711;
  GeneratedEncoding encoding = GeneratedEncoding::Utf8;
  bool crlf = true;
};

struct GeneratedCounts {
  int persons = 0;
  int families = 0;
};

// Writes the whole file; the same options always give the same bytes. Returns false when
// writing to `out` failed; `counts` (may be null) receives the numbers of INDI and FAM records.
bool GenerateGedcom(const GeneratorOptions& options, std::ostream& out, GeneratedCounts* counts);

}  // namespace korvane::bench
