#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>
#include <span>
#include <sstream>

#include "common/store_rows.h"
#include "export_test_util.h"
#include "gedcom/ged_line.h"
#include "store/link_list.h"
#include "text/utf8.h"

namespace korvane::export_test {
namespace {

namespace fs = std::filesystem;

struct Line {
  std::string raw, text;  // the bytes in the file, without line end, and as UTF-8
  std::string end;        // the bytes of its line end
  int level;
  std::string xref, tag, value;
  std::uint64_t nextOffset;  // behind its line end: a record's offset in the tables
};
using GedRecord = std::vector<Line>;  // the level-0 line first

// The records of a file in the order an export writes them: the TRLR line last, with the
// lines that stood behind any TRLR line up to the next record.
std::vector<GedRecord> ReadRecords(const std::string& path) {
  std::vector<GedRecord> records;
  GedRecord trailer;
  int error = 0;
  const std::unique_ptr<InputFile> file = DefaultFileSystem().OpenForReading(path, error);
  LineReader reader(*file, DetectEncoding(*file));
  bool behindTrailer = false;
  for (GedLine l; reader.ReadLine(l);) {
    const GedLineParts p = ParseGedLine(l.text);
    const Line line{std::string(l.raw),  std::string(l.text), std::string(l.End()), p.level,
                    std::string(p.xref), std::string(p.tag),  std::string(p.value), l.nextOffset};
    if (p.level == 0) behindTrailer = p.tag == "TRLR";
    if (behindTrailer) {
      if (p.level != 0 || trailer.empty()) trailer.push_back(line);
      continue;
    }
    if (p.level == 0 || records.empty()) records.emplace_back();
    records.back().push_back(line);
  }
  if (!trailer.empty()) records.push_back(trailer);
  return records;
}

// The lines with a tag beginning with "_".
int UnderscoreLines(const std::vector<GedRecord>& records) {
  int count = 0;
  for (const GedRecord& record : records) {
    count += static_cast<int>(std::ranges::count_if(
        record, [](const Line& l) { return l.level > 0 && l.tag.starts_with("_"); }));
  }
  return count;
}

// Compares a file with its export, everything selected. The output holds the input's
// lines byte for byte with their line ends, except: notes and sources no line refers to
// are left out; xrefs
// and the pointers to them are renamed (one consistent renaming; notes and sources
// numbered in the order of their first reference); rebuilt records (by offset) order
// their blocks anew and write links and SEX from the tables, so they are compared as
// sorted lines without those, which the reloaded tables check instead. Stops at the
// first difference.
void CompareLines(const std::vector<GedRecord>& in, const std::vector<GedRecord>& out,
                  const std::set<std::uint64_t>& rebuilt) {
  std::set<std::string> referred;  // "NOTE@N1@", "SOUR@N1@" for each pointer below level 0
  for (const GedRecord& record : in) {
    for (const Line& l : record) {
      if (l.level > 0) referred.insert({"NOTE" + l.value, "SOUR" + l.value});  // any tag
    }
  }
  std::vector<const GedRecord*> written;
  for (const GedRecord& record : in) {
    const Line& head = record.front();
    if ((head.tag != "NOTE" && head.tag != "SOUR") || referred.count(head.tag + head.xref)) {
      written.push_back(&record);
    }
  }
  ASSERT_EQ(written.size(), out.size()) << "records written";
  std::map<std::string, std::string> renamed, original;  // input ↔ output xrefs
  for (std::size_t r = 0; r < out.size(); ++r) {         // headers first: pointers look ahead
    const Line &a = written[r]->front(), &b = out[r].front();
    const bool same = renamed.emplace(a.xref, b.xref).first->second == b.xref &&
                      original.emplace(b.xref, a.xref).first->second == a.xref;
    const bool linked = a.tag == "INDI" || a.tag == "FAM";
    ASSERT_TRUE(same && a.tag == b.tag && b.value == (linked ? "" : a.value) && a.end == b.end)
        << "\n  expected: " << a.text << "\n  written:  " << b.text;
  }
  std::map<std::string, std::set<std::string>> numbered;  // by tag, in order of reference
  for (std::size_t r = 0; r < out.size(); ++r) {
    const bool changed = rebuilt.count(written[r]->front().nextOffset) > 0;
    auto keys = [&](const GedRecord& record, bool input) {
      Lines keys;  // the bytes of a line, or for a pointer its level, tag and target
      for (const Line& l : std::span(record).subspan(1)) {
        const bool table = l.tag == "FAMS" || l.tag == "FAMC" || l.tag == "CHIL" ||
                           l.tag == "HUSB" || l.tag == "WIFE" || l.tag == "SEX";
        if (changed && l.level == 1 && table) continue;
        // A rebuilt record's new lines end like the file's first line, its kept lines as
        // they did (the encoding test sees both): compared without line ends.
        const std::string end = changed ? "" : l.end;
        if (l.value.size() < 3 || !l.value.starts_with('@') || !l.value.ends_with('@') ||
            l.value.find(' ') != std::string::npos) {
          keys.push_back(l.raw + end);
          continue;
        }
        const std::string target = renamed.count(l.value) ? renamed[l.value] : "<none>";
        keys.push_back(std::to_string(l.level) + " " + l.tag + " " + (input ? target : l.value) +
                       end);
        std::set<std::string>& seen = numbered[l.tag];
        if (input && (l.tag == "NOTE" || l.tag == "SOUR") && seen.insert(l.value).second) {
          EXPECT_EQ(target, "@" + l.tag.substr(0, 1) + std::to_string(seen.size()) + "@")
              << "first reference to " << l.value << " in " << record.front().text;
        }
      }
      if (changed) std::ranges::sort(keys);
      return keys;
    };
    const Lines expected = keys(*written[r], true), got = keys(out[r], false);
    if (::testing::Test::HasFailure()) return;  // misnumbered
    const auto [a, b] = std::ranges::mismatch(expected, got);
    ASSERT_TRUE(a == expected.end() && b == got.end())
        << "in " << out[r].front().text << "\n  expected: " << (a != expected.end() ? *a : "-")
        << "\n  written:  " << (b != got.end() ? *b : "-");
  }
}

void ExpectRoundTrip(const std::string& original, bool rebuildAll) {
  SCOPED_TRACE(original + (rebuildAll ? ", every record rebuilt" : ""));
  Session s;
  ASSERT_TRUE(s.Load(s.folder.Write(fs::path(original).filename().string(), ReadFile(original))));
  s.SelectAll();
  std::set<std::uint64_t> rebuilt;
  auto mark = [&](auto& record) {
    if (rebuildAll) record.flags |= ChangedFlag;
    if (record.flags & ChangedFlag) rebuilt.insert(record.recordOffset);
  };
  std::ranges::for_each(s.store.personTable, mark);
  std::ranges::for_each(s.store.familyTable, mark);
  const std::vector<GedRecord> in = ReadRecords(s.file.path);  // before it moves
  const std::string target = s.folder.Path("export.ged");
  ASSERT_TRUE(ExportTo(s.context, target));
  EXPECT_EQ(s.BoxTexts(), Lines{});
  const std::vector<GedRecord> out = ReadRecords(target);
  CompareLines(in, out, rebuilt);
  EXPECT_EQ(UnderscoreLines(out), UnderscoreLines(in));

  const std::size_t bom = s.file.encoding.bomLength;
  EXPECT_EQ(ReadFile(target).substr(0, bom), ReadFile(original).substr(0, bom));

  Session back;
  ASSERT_TRUE(back.Load(target));
  EXPECT_EQ(back.diagnostics.ReportText().find("###"), std::string::npos)
      << "the export needed repairs: " << back.diagnostics.ReportText();
  const Lines exported = test::StoreRows(s.store), reloaded = test::StoreRows(back.store);
  ASSERT_EQ(reloaded.size(), exported.size()) << "persons and families";
  for (std::size_t i = 0; i < exported.size(); ++i) ASSERT_EQ(reloaded[i], exported[i]);
}

// Our own files: the same records with CR LF, LF and CR line ends, `_` tags at every level.
TEST(RoundTrip, ExportingEverythingKeepsEveryLineEndAndUnderscoreTag) {
  for (const char* name : {"zeilenenden-crlf.ged", "zeilenenden-lf.ged", "zeilenenden-cr.ged"}) {
    const std::string file = std::string(KORVANE_TEST_DATA) + "/" + name;
    for (const bool rebuildAll : {false, true}) ExpectRoundTrip(file, rebuildAll);
    // Nothing is changed by the load: the export is the file, byte for byte.
    Session s;
    ASSERT_TRUE(s.Load(s.folder.Write(name, ReadFile(file))));
    s.SelectAll();
    ASSERT_TRUE(ExportTo(s.context, s.folder.Path("export.ged")));
    EXPECT_EQ(ReadFile(s.folder.Path("export.ged")), ReadFile(file)) << name;
  }
}

TEST(RoundTrip, ExportingEverythingKeepsEveryFileAsItWas) {
  for (const std::string& file : SampleFiles()) {
    for (const bool rebuildAll : {false, true}) ExpectRoundTrip(file, rebuildAll);
  }
  if (!SharedTestData()) GTEST_SKIP() << "only the bundled sample: no " KORVANE_SHARED_TESTDATA;
}

// UTF-8 text as UTF-16 with its byte-order mark.
std::string Utf16(std::string_view utf8, bool little) {
  std::u16string units;
  for (std::size_t pos = 0; pos < utf8.size();) {
    char32_t ch = DecodeUtf8(utf8, pos);
    if (ch >= 0x10000) {
      units += static_cast<char16_t>(0xD800 + ((ch - 0x10000) >> 10));
      ch = 0xDC00 + (ch & 0x3FF);
    }
    units += static_cast<char16_t>(ch);
  }
  std::string out = little ? "\xFF\xFE" : "\xFE\xFF";
  for (const char16_t u : units) {
    (out += static_cast<char>(little ? u : u >> 8)) += static_cast<char>(little ? u >> 8 : u);
  }
  return out;
}

// Persons with texts outside ASCII; Jürgen is changed and his birth place rebuilt, so
// the file holds copied lines and rebuilt lines side by side.
const std::string kUtf8Input =
    "0 HEAD\n1 CHAR UTF-8\n0 @I1@ INDI\n1 NAME Jürgen /Müller/\n1 SEX M\n1 BIRT\n"
    "2 PLAC Köln\n1 NOTE @N4@\n1 NOTE Grüße 𝔊 aus Weißenfels\r0 @N4@ NOTE „Zitat“ ß\n"
    "0 TRLR\n";
const std::string kUtf8Output =
    "0 HEAD\n1 CHAR UTF-8\n0 @I1@ INDI\n1 NAME Jürgen /Müller/\n1 SEX M\n1 BIRT\n"
    "2 PLAC Düsseldorf\n1 NOTE @N1@\n1 NOTE Grüße 𝔊 aus Weißenfels\r0 @N1@ NOTE „Zitat“ ß\n"
    "0 TRLR\n";

TEST(ExportEncoding, WritesEveryLineInTheFileEncodingAndKeepsCopiedBytes) {
  const struct {
    const char* name;
    std::string input, expected;
  } cases[] = {
      // Code page 1252 across its whole upper half, 0x81 and 0x8D included, with LF, CR
      // and LF CR line ends, each kept; the rebuilt line ends like the first line.
      {"cp1252",
       "0 HEAD\n1 CHAR ANSI\n0 @I1@ INDI\r1 NAME J\xFCrgen /M\xFCller/\n\r1 SEX M\n1 BIRT\r\n"
       "2 PLAC K\xF6ln\r\n1 NOTE @N4@\r1 NOTE \x80\x81\x8D\x8F\x90\x9D\x9F\xA0\xE4\xFF\n"
       "0 @N4@ NOTE \x84Zitat\x93 \x81\xDF\n\r0 TRLR",
       "0 HEAD\n1 CHAR ANSI\n0 @I1@ INDI\r1 NAME J\xFCrgen /M\xFCller/\n\r1 SEX M\n1 BIRT\r\n"
       "2 PLAC D\xFCsseldorf\n1 NOTE @N1@\r1 NOTE \x80\x81\x8D\x8F\x90\x9D\x9F\xA0\xE4\xFF\n"
       "0 @N1@ NOTE \x84Zitat\x93 \x81\xDF\n\r0 TRLR"},
      {"UTF-8 with byte-order mark", "\xEF\xBB\xBF" + kUtf8Input, "\xEF\xBB\xBF" + kUtf8Output},
      {"UTF-16 LE", Utf16(kUtf8Input, true), Utf16(kUtf8Output, true)},
      {"UTF-16 BE", Utf16(kUtf8Input, false), Utf16(kUtf8Output, false)},
  };
  for (const auto& c : cases) {
    SCOPED_TRACE(c.name);
    Session s;
    ASSERT_TRUE(s.LoadText(c.input));
    s.SelectAll();
    s.P(1).birthPlace = InternText(s.store.texts, TextPoolId::Places, "Düsseldorf");
    s.P(1).flags |= ChangedFlag;
    ASSERT_TRUE(ExportTo(s.context, s.folder.Path("out.ged")));
    EXPECT_EQ(ReadFile(s.folder.Path("out.ged")), c.expected);
    EXPECT_EQ(s.BoxTexts(), Lines{});

    Session back;  // read back, the rebuilt place is what was written
    ASSERT_TRUE(back.Load(s.folder.Path("out.ged")));
    EXPECT_STREQ(back.P(1).birthPlace, "Düsseldorf");
  }
}

}  // namespace
}  // namespace korvane::export_test
