#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <set>

#include "export_test_util.h"
#include "gedcom/ged_line.h"

namespace korvane::export_test {
namespace {

namespace fs = std::filesystem;

// One line as the export sees it: its bytes and its text.
struct FileLine {
  std::string raw;
  std::string text;
  std::uint64_t nextOffset = 0;
  GedLineParts Parts() const { return ParseGedLine(text); }
};
using GedRecord = std::vector<FileLine>;  // the level-0 line first

// The records of a file up to and including its TRLR line; nothing behind it is written.
std::vector<GedRecord> ReadRecords(const std::string& path) {
  std::vector<GedRecord> records;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  LineReader reader(file, DetectEncoding(file).encoding);
  for (GedLine line; reader.ReadLine(line);) {
    const GedLineParts parts = ParseGedLine(line.text);
    if (parts.level == 0 || records.empty()) records.emplace_back();
    records.back().push_back({std::string(line.raw), std::string(line.text), line.nextOffset});
    if (parts.level == 0 && parts.tag == "TRLR") break;
  }
  std::fclose(file);
  return records;
}

bool IsPointer(std::string_view value) {
  return value.size() > 2 && value.front() == '@' && value.back() == '@' &&
         value.find(' ') == std::string_view::npos;
}
// "NOTE@N5@" for a note or source record or reference, else empty.
std::string PointerKey(std::string_view tag, std::string_view xref) {
  return (tag == "NOTE" || tag == "SOUR") && IsPointer(xref) ? std::string(tag) + std::string(xref)
                                                             : std::string();
}
bool IsLinkTag(std::string_view tag) {
  return tag == "FAMS" || tag == "FAMC" || tag == "CHIL" || tag == "HUSB" || tag == "WIFE";
}

// The lines the export keeps of a record: level-2 and deeper `_` tags go with their subtree.
std::vector<const FileLine*> KeptLines(const GedRecord& record) {
  std::vector<const FileLine*> kept;
  int dropBelow = -1;
  for (const FileLine& line : record) {
    const GedLineParts parts = line.Parts();
    if (dropBelow >= 0 && (parts.level > dropBelow || parts.level < 0)) continue;
    dropBelow = -1;
    if (parts.level >= 2 && parts.tag.starts_with("_")) {
      dropBelow = parts.level;
      continue;
    }
    kept.push_back(&line);
  }
  return kept;
}

// Compares a file with its export, everything selected: the output holds the input's lines
// byte for byte apart from CR LF line ends, normalized headers and links, renumbered
// notes and sources, dropped `_` tags and left-out notes and sources nothing refers to.
// Rebuilt records (`rebuilt`) list their blocks in another order and write their links
// and SEX from the tables; they are compared as multisets of lines without those, and
// their links and sex are checked through the reloaded tables instead.
class RoundTrip {
 public:
  RoundTrip(const Store& store, const std::set<std::uint64_t>& rebuilt) : rebuilt_(rebuilt) {
    for (Rin rin = 1; rin <= store.PersonCount(); ++rin) {
      byOffset_[store.personTable[rin].recordOffset] = "@I" + std::to_string(rin) + "@";
    }
    for (Mrin mrin = 1; mrin <= store.FamilyCount(); ++mrin) {
      byOffset_[store.familyTable[mrin].recordOffset] = "@F" + std::to_string(mrin) + "@";
    }
  }

  void Compare(const std::vector<GedRecord>& in, const std::vector<GedRecord>& out) {
    // Record xrefs: persons and families by their numbers, notes and sources as the
    // export renumbered them (learned from the headers of the written ones).
    std::vector<const GedRecord*> written = WrittenRecords(in);
    ASSERT_EQ(written.size(), out.size()) << "records written";
    for (std::size_t r = 0; r < out.size(); ++r) {
      const GedLineParts a = written[r]->front().Parts(), b = out[r].front().Parts();
      ASSERT_EQ(a.tag, b.tag) << out[r].front().text;
      if (a.tag == "INDI" || a.tag == "FAM") {
        xrefs_[std::string(a.xref)] = byOffset_[written[r]->front().nextOffset];
        recordXrefs_.insert(std::string(a.xref));
      } else if (!PointerKey(a.tag, a.xref).empty()) {
        xrefs_[std::string(a.xref)] = std::string(b.xref);
      }
    }
    for (std::size_t r = 0; r < out.size() && differences_ < 20; ++r) {
      const bool rebuilt = rebuilt_.count(written[r]->front().nextOffset) > 0;
      rebuilt ? CompareRebuilt(*written[r], out[r]) : CompareCopied(*written[r], out[r]);
    }
    CheckNumberingOrder(written);
  }

 private:
  std::vector<const GedRecord*> WrittenRecords(const std::vector<GedRecord>& in) {
    std::map<std::string, std::size_t> defined;
    for (std::size_t r = 0; r < in.size(); ++r) {
      const GedLineParts parts = in[r].front().Parts();
      const std::string key = PointerKey(parts.tag, parts.xref);
      if (!key.empty()) defined.emplace(key, r);
    }
    std::vector<bool> written(in.size());
    std::vector<std::size_t> pending;
    for (std::size_t r = 0; r < in.size(); ++r) {
      const GedLineParts parts = in[r].front().Parts();
      if (PointerKey(parts.tag, parts.xref).empty()) pending.push_back(r);
    }
    while (!pending.empty()) {
      const std::size_t r = pending.back();
      pending.pop_back();
      if (written[r]) continue;
      written[r] = true;
      for (const FileLine* line : KeptLines(in[r])) {
        const GedLineParts parts = line->Parts();
        const auto target = defined.find(PointerKey(parts.tag, parts.value));
        if (parts.level > 0 && target != defined.end()) pending.push_back(target->second);
      }
    }
    std::vector<const GedRecord*> records;
    for (std::size_t r = 0; r < in.size(); ++r) {
      if (written[r]) records.push_back(&in[r]);
    }
    return records;
  }

  // The line the export writes for an input line whose value it rewrites, or empty.
  std::string Rewritten(const GedLineParts& parts, bool inRecord) {
    const bool link = inRecord && parts.level == 1 && IsLinkTag(parts.tag);
    if (parts.level == 0 && xrefs_.count(std::string(parts.xref))) {
      const std::string rest = parts.tag == "INDI" || parts.tag == "FAM" || parts.value.empty()
                                   ? ""
                                   : " " + std::string(parts.value);
      return "0 " + xrefs_[std::string(parts.xref)] + " " + std::string(parts.tag) + rest;
    }
    if (link || (parts.level > 0 && !PointerKey(parts.tag, parts.value).empty())) {
      auto it = xrefs_.find(std::string(parts.value));
      const std::string value = it != xrefs_.end() ? it->second : "@?@";
      return std::to_string(parts.level) + " " + std::string(parts.tag) + " " + value;
    }
    // Any other pointer to a person or family takes the spelling of its new header.
    if (parts.level > 0 && recordXrefs_.count(std::string(parts.value)) &&
        xrefs_[std::string(parts.value)] != parts.value) {
      return std::to_string(parts.level) + " " + std::string(parts.tag) + " " +
             xrefs_[std::string(parts.value)];
    }
    return {};
  }

  void Differ(const GedRecord& record, const std::string& expected, const std::string& got) {
    ++differences_;
    ADD_FAILURE() << "in " << record.front().text << "\n  expected: " << expected
                  << "\n  written:  " << got;
  }

  void CompareCopied(const GedRecord& in, const GedRecord& out) {
    const std::string_view tag = in.front().Parts().tag;
    const bool record = tag == "INDI" || tag == "FAM";
    const std::vector<const FileLine*> kept = KeptLines(in);
    for (std::size_t i = 0; i < std::max(kept.size(), out.size()); ++i) {
      if (i >= kept.size() || i >= out.size()) {
        return Differ(in, i < kept.size() ? kept[i]->text : "<nothing>",
                      i < out.size() ? out[i].text : "<nothing>");
      }
      const std::string rewritten = Rewritten(kept[i]->Parts(), record);
      // A dangling pointer has no record: its new number is learned where it stands.
      if (rewritten.ends_with("@?@") && !xrefs_.count(std::string(out[i].Parts().value))) {
        xrefs_[std::string(kept[i]->Parts().value)] = std::string(out[i].Parts().value);
        continue;
      }
      const bool same = rewritten.empty() ? kept[i]->raw == out[i].raw : rewritten == out[i].text;
      if (!same) return Differ(in, rewritten.empty() ? kept[i]->text : rewritten, out[i].text);
    }
  }

  void CompareRebuilt(const GedRecord& in, const GedRecord& out) {
    auto counted = [&](const std::vector<const FileLine*>& lines, bool input) {
      std::multiset<std::string> set;
      for (const FileLine* line : lines) {
        const GedLineParts parts = line->Parts();
        if (parts.level == 0 ||
            (parts.level == 1 && (IsLinkTag(parts.tag) || parts.tag == "SEX"))) {
          continue;
        }
        if (input) {
          const std::string rewritten = Rewritten(parts, true);
          set.insert(rewritten.empty() ? line->raw : rewritten);
        } else {
          set.insert(PointerKey(parts.tag, parts.value).empty() ? line->raw : line->text);
        }
      }
      return set;
    };
    std::vector<const FileLine*> outLines;
    for (const FileLine& line : out) outLines.push_back(&line);
    const std::multiset<std::string> expected = counted(KeptLines(in), true);
    const std::multiset<std::string> written = counted(outLines, false);
    if (expected != written) {
      std::string missing, extra;
      for (const std::string& line : expected) {
        if (!written.count(line)) missing += "\n    " + line;
      }
      for (const std::string& line : written) {
        if (!expected.count(line)) extra += "\n    " + line;
      }
      Differ(in, "lines" + missing, "lines" + extra);
    }
  }

  // Notes and sources are numbered 1, 2, 3, … in the order of their first reference in
  // the file read.
  void CheckNumberingOrder(const std::vector<const GedRecord*>& written) {
    std::map<std::string, int> next = {{"NOTE", 1}, {"SOUR", 1}};
    std::set<std::string> seen;
    for (const GedRecord* record : written) {
      for (const FileLine* line : KeptLines(*record)) {
        const GedLineParts parts = line->Parts();
        if (parts.level < 1 || PointerKey(parts.tag, parts.value).empty()) continue;
        const auto it = xrefs_.find(std::string(parts.value));
        if (it == xrefs_.end() || !seen.insert(it->second).second) continue;
        const std::string expected = (parts.tag == "NOTE" ? "@N" : "@S") +
                                     std::to_string(next[std::string(parts.tag)]++) + "@";
        EXPECT_EQ(it->second, expected) << parts.value << " in " << record->front().text;
      }
    }
  }

  const std::set<std::uint64_t>& rebuilt_;
  std::map<std::uint64_t, std::string> byOffset_;
  std::set<std::string> recordXrefs_;  // as the input spells them
  std::map<std::string, std::string> xrefs_;
  int differences_ = 0;
};

// What the tables hold of every record, one text per record.
Lines Tables(const Store& store) {
  auto text = [](const char* t) { return t == nullptr ? std::string("<null>") : std::string(t); };
  auto entries = [](const LinkList& list) {
    std::string out;
    for (const std::int32_t entry : list) out += " " + std::to_string(entry);
    return out;
  };
  Lines records;
  for (Rin rin = 1; rin <= store.PersonCount(); ++rin) {
    const Person& p = store.personTable[rin];
    records.push_back("I" + std::to_string(rin) + " " + text(p.givenNames) + "/" + text(p.surname) +
                      " " + std::string(1, p.sex) + " " + std::to_string(p.birthDate.bits) +
                      text(p.birthPlace) + " " + std::to_string(p.chrDate.bits) + text(p.chrPlace) +
                      " " + std::to_string(p.deathDate.bits) + text(p.deathPlace) + " " +
                      std::to_string(p.burialDate.bits) + text(p.burialPlace) + " FAMS" +
                      entries(p.fams) + " FAMC" + entries(p.famc));
  }
  for (Mrin mrin = 1; mrin <= store.FamilyCount(); ++mrin) {
    const Family& f = store.familyTable[mrin];
    records.push_back("F" + std::to_string(mrin) + " " + std::to_string(f.husband) + " " +
                      std::to_string(f.wife) + " CHIL" + entries(f.children) + " " +
                      std::to_string(f.marriageDate.bits) + text(f.marriagePlace));
  }
  return records;
}

// Every line end of the output is CR LF.
bool OnlyCrLf(const std::string& bytes, FileEncoding encoding) {
  const bool le = encoding == FileEncoding::Utf16Le, be = encoding == FileEncoding::Utf16Be;
  const std::size_t step = le || be ? 2 : 1;
  std::string units;  // one byte per code unit: CR and LF as themselves
  for (std::size_t i = 0; i + step <= bytes.size(); i += step) {
    units += step == 1 ? bytes[i] : bytes[le ? i + 1 : i] == 0 ? bytes[le ? i : i + 1] : 'x';
  }
  std::size_t cr = 0, lf = 0, pairs = 0;
  for (std::size_t i = 0; i < units.size(); ++i) {
    cr += units[i] == '\r';
    lf += units[i] == '\n';
    pairs += units[i] == '\r' && i + 1 < units.size() && units[i + 1] == '\n';
  }
  return cr == pairs && lf == pairs;
}

void ExpectRoundTrip(const std::string& original, bool rebuildAll) {
  SCOPED_TRACE(original + (rebuildAll ? ", every record rebuilt" : ""));
  Session s;
  ASSERT_TRUE(s.Load(s.folder.Write(fs::path(original).filename().string(), ReadFile(original))));
  s.SelectAll();
  std::set<std::uint64_t> rebuilt;
  for (Person& p : s.store.personTable) {
    if (rebuildAll) p.flags |= ChangedFlag;
    if (p.flags & ChangedFlag) rebuilt.insert(p.recordOffset);
  }
  for (Family& f : s.store.familyTable) {
    if (rebuildAll) f.flags |= ChangedFlag;
    if (f.flags & ChangedFlag) rebuilt.insert(f.recordOffset);
  }
  const std::vector<GedRecord> in = ReadRecords(s.file.path);
  RoundTrip roundTrip(s.store, rebuilt);
  const std::string target = s.folder.Path("export.ged");
  ASSERT_TRUE(ExportTo(s.context, target));
  EXPECT_EQ(s.BoxTexts(), Lines{});
  roundTrip.Compare(in, ReadRecords(target));

  const std::string bytes = ReadFile(target);
  const std::size_t bom = s.file.encoding.bomLength;
  EXPECT_TRUE(OnlyCrLf(bytes.substr(bom), s.file.encoding.encoding));
  EXPECT_EQ(bytes.substr(0, bom), ReadFile(original).substr(0, bom));

  Session back;
  ASSERT_TRUE(back.Load(back.folder.Write("export.ged", bytes)));
  EXPECT_EQ(back.diagnostics.ReportText().find("###"), std::string::npos)
      << "the export needed repairs: " << back.diagnostics.ReportText();
  EXPECT_EQ(Tables(back.store), Tables(s.store));
}

TEST(RoundTrip, ExportingEverythingKeepsEveryFileAsItWas) {
  std::vector<std::string> files = {"samples/familie-brandt.ged"};
  const std::string shared = KORVANE_SHARED_TESTDATA;
  if (fs::is_directory(shared)) {
    for (const auto& entry : fs::directory_iterator(shared)) {
      const std::string ext = entry.path().extension().string();
      if (ext == ".ged" || ext == ".GED") files.push_back(entry.path().string());
    }
  }
  std::sort(files.begin(), files.end());
  for (std::string& file : files) {
    if (!file.starts_with("/")) file = std::string(KORVANE_TEST_DATA) + "/../../" + file;
    for (const bool rebuildAll : {false, true}) ExpectRoundTrip(file, rebuildAll);
  }
  if (!fs::is_directory(shared)) GTEST_SKIP() << "only the bundled sample: no " << shared;
}

}  // namespace
}  // namespace korvane::export_test
