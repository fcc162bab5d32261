#pragma once

#include <ostream>
#include <string>
#include <string_view>

#include "bench/gedcom_generator.h"

namespace korvane::bench {

// Collects GEDCOM lines as UTF-8 and writes them in the chosen encoding in large chunks, so
// a file of several hundred thousand records costs a few hundred write calls.
class GedcomSink {
 public:
  GedcomSink(std::ostream& out, GeneratedEncoding encoding, bool crlf);

  // "<level> <tag> <value>"; the value is left out when empty.
  void Line(int level, std::string_view tag, std::string_view value = {});
  // "<level> <tag> @<prefix><number>@", a pointer to another record.
  void Pointer(int level, std::string_view tag, char prefix, int number);
  // "0 @<prefix><number>@ <tag>" or "0 @<prefix><number>@ <tag> <value>".
  void Record(char prefix, int number, std::string_view tag, std::string_view value = {});

  // Writes what is left and flushes the stream; false when any write failed.
  bool Finish();

 private:
  void AppendPointer(char prefix, int number);
  void EndLine();
  void Flush();
  void Write(std::string_view bytes);

  std::ostream& out_;
  GeneratedEncoding encoding_;
  bool crlf_;
  bool failed_ = false;
  std::string text_;     // UTF-8, complete lines only
  std::string encoded_;  // byte order mark, then text_ when it needs converting
};

}  // namespace korvane::bench
