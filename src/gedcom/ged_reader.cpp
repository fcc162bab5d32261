#include "gedcom/ged_reader.h"

#include <algorithm>
#include <atomic>
#include <memory>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "dates/parse_date_text.h"
#include "gedcom/file_parts.h"
#include "gedcom/ged_line.h"
#include "gedcom/import_limits.h"
#include "gedcom/name_value.h"
#include "gedcom/xref_numbering.h"
#include "platform/parallel.h"
#include "platform/system_hints.h"
#include "store/events.h"
#include "store/flags.h"
#include "store/reserve_more.h"
#include "store/sex.h"

namespace korvane {
namespace {

enum class RecordKind { None, Person, Family };

// A failed read leaves empty tables.
void ClearAfterFailure(Store& store, ReadCounts& counts);
// The box for a file with more records than the tables take; the tables are left empty.
void FailAsTooLarge(Diagnostics& diagnostics, Store& store, ReadCounts& counts, const char* what);

// A doubled FAMS or FAMC line, reported once the record numbers are known.
struct DoubledLink {
  int person;
  const char* tag;
  std::int32_t link;
};

// How the ids of a later part's records and texts read in the joined tables.
struct JoinedPart {
  std::optional<TextPoolMap> texts;
  std::vector<std::int32_t> persons;  // link value - 1 -> link value
  std::vector<std::int32_t> families;
  int personBase = 0;  // records of the parts before it
};

// Reads the lines of the file, or of one part of it, into the tables of `store`. The
// readers of the parts of a file are then joined into the first in file order, which
// numbers the records and reports.
class RecordReader {
 public:
  explicit RecordReader(Store& store) : store_(store) {}

  // Reads part `part` of `queue`. False when the lines hold more records than the
  // tables take.
  bool Read(LineReader& reader, const PartProgress& progress, PartQueue& queue, std::size_t part);
  // Takes up the records the readers of the parts behind this one's read (in file
  // order), numbers all records and reports. False, after the box, when there are more
  // records than the tables take; the store is then empty.
  bool Join(const std::vector<RecordReader*>& later, Diagnostics& diagnostics,
            FileEncoding encoding, ReadCounts& counts);
  // The kind of record there were too many of, once Read failed.
  const char* Overflow() const { return overflow_; }
  // Sets room aside for what about `bytes` of a file hold, so that the tables need not
  // grow and move while they are filled: the first part's take up all parts' records.
  void Reserve(std::uint64_t bytes);

 private:
  bool ReadRecordLine(const GedLineParts& parts, std::uint64_t nextOffset);
  void ReadPersonLine(const GedLineParts& parts);
  void ReadFamilyLine(const GedLineParts& parts);
  void ReadEventLine(const GedLineParts& parts);
  template <typename Record>
  void ReadEventValue(Record& record, bool isDate, std::string_view value);
  void ReadName(Person& person, std::string_view value);
  void AddSpouseOrChildLink(LinkList& list, const char* tag, std::string_view value);
  bool CheckCounts();
  // Records behind a TRLR line are read like all others (and exported before it).
  void CountRecord(const GedLineParts& parts) {
    if (parts.tag == "TRLR") {
      sawTrailer_ = true;
      return;
    }
    ++records_;
    if (sawTrailer_) ++recordsAfterTrailer_;
  }
  void ReportRecordsAfterTrailer(const std::vector<RecordReader*>& later,
                                 Diagnostics& diagnostics) const;
  void ReportDoubledLinks(Diagnostics& diagnostics) const;
  void ResolveLinks(const std::vector<RecordReader*>& later, const std::vector<JoinedPart>& joined,
                    ReadCounts& counts);

  Store& store_;
  LineReader* reader_ = nullptr;
  ReadCounts counts_;
  const char* overflow_ = nullptr;
  XrefNumbering personXrefs_;
  XrefNumbering familyXrefs_;
  ReferenceIndexBuilder references_;
  std::vector<DoubledLink> doubledLinks_;
  RecordKind kind_ = RecordKind::None;
  const EventRow* event_ = nullptr;  // the event whose DATE and PLAC lines follow
  bool sawTrailer_ = false;
  int records_ = 0;  // level-0 lines other than TRLR
  int recordsAfterTrailer_ = 0;
};

bool RecordReader::Read(LineReader& reader, const PartProgress& progress, PartQueue& queue,
                        std::size_t part) {
  // Only the values the program keeps are decoded, not every line.
  reader_ = &reader;
  reader.SetDecodeLines(false);
  GedLine line;
  std::uint64_t claimedEnd = 0;
  while (reader.ReadLine(line)) {
    // Lines of level 3 and deeper, and level-2 lines outside an event, hold nothing the
    // program keeps: most of them are passed over without being taken apart.
    const std::string_view text = line.text;
    if (text.size() >= 2 && text[1] == ' ' &&
        ((text[0] >= '3' && text[0] <= '9') || (text[0] == '2' && event_ == nullptr))) {
      references_.Line(line);
      continue;
    }
    const GedLineParts parts = ParsePaddedGedLine(line.text);
    // The records from here on may belong to a part split off this one.
    if (parts.level == 0 && line.offset >= claimedEnd &&
        !queue.Claim(part, line.offset, claimedEnd)) {
      break;
    }
    references_.Line(line, &parts);
    if (parts.level == 0) {
      progress.Step(line.nextOffset);
      CountRecord(parts);
      if (!ReadRecordLine(parts, line.nextOffset)) return false;
    } else if (parts.level == 1) {
      event_ = nullptr;
      if (kind_ == RecordKind::Person) ReadPersonLine(parts);
      if (kind_ == RecordKind::Family) ReadFamilyLine(parts);
    } else if (parts.level == 2 && event_ != nullptr) {
      ReadEventLine(parts);
    }
  }
  return true;
}

bool RecordReader::CheckCounts() {
  if (overflow_ == nullptr && counts_.indiRecords > kMaxRecordsPerKind) overflow_ = "Personen";
  if (overflow_ == nullptr && counts_.famRecords > kMaxRecordsPerKind) overflow_ = "Familien";
  return overflow_ == nullptr;
}

// A level-0 line starts a record. Lines of other records (notes, sources, repositories)
// never change a person or family, so they end the current one.
bool RecordReader::ReadRecordLine(const GedLineParts& parts, std::uint64_t nextOffset) {
  kind_ = RecordKind::None;
  event_ = nullptr;
  if (parts.tag == "INDI") {
    ++counts_.indiRecords;
    if (!CheckCounts()) return false;
    personXrefs_.DefineRecord(parts.xref);
    Person& person = store_.personTable.emplace_back();
    person.recordOffset = nextOffset;
    person.flags = PresentFlag;
    kind_ = RecordKind::Person;
  } else if (parts.tag == "FAM") {
    ++counts_.famRecords;
    if (!CheckCounts()) return false;
    familyXrefs_.DefineRecord(parts.xref);
    Family& family = store_.familyTable.emplace_back();
    family.recordOffset = nextOffset;
    family.flags = PresentFlag;
    kind_ = RecordKind::Family;
  } else if (parts.tag == "SOUR") {
    counts_.highestSourceNumber =
        std::max(counts_.highestSourceNumber, XrefNumber(parts.xref, kMaxRecordsPerKind));
  }
  return true;
}

void RecordReader::ReadPersonLine(const GedLineParts& parts) {
  Person& person = store_.personTable.back();
  if (parts.tag == "NAME") {
    ReadName(person, reader_->Utf8Value(parts.value));
  } else if (parts.tag == "SEX") {
    person.sex = SexLetterOfValue(parts.value);
  } else if (parts.tag == "FAMS") {
    AddSpouseOrChildLink(person.fams, "FAMS", parts.value);
  } else if (parts.tag == "FAMC") {
    AddSpouseOrChildLink(person.famc, "FAMC", parts.value);
  } else {
    event_ = FindEventRow<Person>(parts.tag);
  }
}

void RecordReader::ReadFamilyLine(const GedLineParts& parts) {
  Family& family = store_.familyTable.back();
  if (parts.tag == "HUSB") {
    family.husband = personXrefs_.LinkValue(parts.value);
    family.flags |= HasHusbandFlag;
  } else if (parts.tag == "WIFE") {
    family.wife = personXrefs_.LinkValue(parts.value);
    family.flags |= HasWifeFlag;
  } else if (parts.tag == "CHIL") {
    ListAppend(family.children, personXrefs_.LinkValue(parts.value));  // doubles are kept
    family.flags |= HasChildrenFlag;
  } else if (parts.tag == "DIV") {
    if (!parts.value.empty() && parts.value.front() == 'Y') family.flags |= DivorcedFlag;
  } else {
    event_ = FindEventRow<Family>(parts.tag);
  }
}

void RecordReader::ReadName(Person& person, std::string_view value) {
  NameValue name;
  if (!SplitNameValue(value, name)) return;
  person.givenNames = InternText(store_.texts, TextPoolId::GivenNames, name.givenNames);
  person.surname = InternText(store_.texts, TextPoolId::Surnames, name.surname);
  person.flags &= ~(HasGivenNamesFlag | HasSurnameFlag);
  if (*person.givenNames != 0) person.flags |= HasGivenNamesFlag;
  if (*person.surname != 0) person.flags |= HasSurnameFlag;
}

void RecordReader::AddSpouseOrChildLink(LinkList& list, const char* tag, std::string_view value) {
  const std::int32_t link = familyXrefs_.LinkValue(value);
  if (ListContains(list, link)) {
    doubledLinks_.push_back({personXrefs_.RecordCount() - 1, tag, link});
  } else {
    ListAppend(list, link);
  }
}

void RecordReader::ReadEventLine(const GedLineParts& parts) {
  const bool isDate = parts.tag == "DATE";
  if (!isDate && parts.tag != "PLAC") return;
  if (event_->ofFamily) {
    ReadEventValue(store_.familyTable.back(), isDate, parts.value);
  } else {
    ReadEventValue(store_.personTable.back(), isDate, parts.value);
  }
}

template <typename Record>
void RecordReader::ReadEventValue(Record& record, bool isDate, std::string_view value) {
  if (isDate) {
    // A rejected date keeps its failure bit for the plausibility check to find.
    // The usual forms are plain ASCII, the same in every encoding of the file.
    PackedDate& date = DateOf(record, *event_);
    if (!ParseCommonDateText(date, value)) ParseDateText(date, reader_->Utf8Value(value));
    record.flags |= event_->dateFlag;
  } else {
    PlaceOf(record, *event_) =
        InternText(store_.texts, TextPoolId::Places, reader_->Utf8Value(value));
    record.flags |= event_->placeFlag;
  }
}

void ClearAfterFailure(Store& store, ReadCounts& counts) {
  counts = ReadCounts{};
  store.personTable.resize(1);
  store.familyTable.resize(1);
}

void FailAsTooLarge(Diagnostics& diagnostics, Store& store, ReadCounts& counts, const char* what) {
  diagnostics.ErrorBox("\r\n GED Datei zu groß. >%d %s", kMaxRecordsPerKind, what);
  ClearAfterFailure(store, counts);
}

// Moves the records of a part's table (behind its zero record) to the end of `into`,
// each made to fit the joined tables by `fit` first.
template <typename Record, typename Fit>
void MoveRecords(std::vector<Record>& into, std::vector<Record>& from, Fit fit) {
  ReserveMore(into, from.size() - 1);
  for (std::size_t i = 1; i < from.size(); ++i) {
    fit(from[i]);
    into.push_back(std::move(from[i]));
  }
  from.resize(1);
}

void ReportRenumberings(Diagnostics& diagnostics, const XrefNumbering& numbering,
                        FileEncoding encoding, const char* kind, const char* number) {
  std::string scratch;
  for (const XrefNumbering::Renumbering& r : numbering.Renumberings()) {
    // Cross-references are kept as the file's bytes; the report is UTF-8.
    const std::string xref(LineTextToUtf8(encoding, r.xref, scratch));
    std::string text;
    switch (r.reason) {
      case XrefNumbering::Renumbering::DefinedTwice:
        text = std::string(kind) + " " + xref + " doppelt definiert: zweiter Datensatz als " +
               number + " " + std::to_string(r.number) + " eingelesen\r\n";
        break;
      case XrefNumbering::Renumbering::NumberTaken:
        text = std::string(kind) + " " + xref + ": Nummer schon vergeben, als " + number + " " +
               std::to_string(r.number) + " eingelesen\r\n";
        break;
      case XrefNumbering::Renumbering::NumberTooHigh:
        text = std::string(kind) + " " + xref + ": Nummer zu hoch, als " + number + " " +
               std::to_string(r.number) + " eingelesen\r\n";
        break;
      case XrefNumbering::Renumbering::NoNumber:
        text = std::string(kind) + " " + (xref.empty() ? "ohne Querverweis" : xref) +
               ": keine Nummer im Querverweis, als " + number + " " + std::to_string(r.number) +
               " eingelesen\r\n";
        break;
    }
    diagnostics.ReportAppend("%s", text.c_str());
    diagnostics.LogAppend("%s", text.c_str());
  }
}

// The records were read into the table in file order; nearly always that is already the
// order of their numbers, and nothing has to move.
template <typename Record>
void PlaceInNumberOrder(std::vector<Record>& table, const XrefNumbering& numbering) {
  if (numbering.NumbersFollowFileOrder()) return;
  std::vector<Record> placed(static_cast<std::size_t>(numbering.HighestNumber()) + 1);
  for (int i = 0; i < numbering.RecordCount(); ++i) {
    placed[numbering.RecordNumber(i)] = std::move(table[i + 1]);
  }
  table.swap(placed);
}

// Other lines of the file may point at a record by its old spelling ("1 ASSO @PERSON5@");
// the export writes those pointers in the form of the record's new header.
void RememberSpellings(const XrefNumbering& numbering, const char* prefix, ReadCounts& counts) {
  for (int record = 0; record < numbering.RecordCount(); ++record) {
    if (numbering.KeepsSpelling(record, prefix[1])) continue;
    std::string xref = numbering.RecordXref(record);
    std::string written = prefix + std::to_string(numbering.RecordNumber(record)) + "@";
    if (!xref.empty() && xref != written)
      counts.respelledXrefs.emplace(std::move(xref), std::move(written));
  }
}

bool RecordReader::Join(const std::vector<RecordReader*>& later, Diagnostics& diagnostics,
                        FileEncoding encoding, ReadCounts& counts) {
  for (const RecordReader* part : later) {
    counts_.indiRecords += part->counts_.indiRecords;
    counts_.famRecords += part->counts_.famRecords;
    counts_.highestSourceNumber =
        std::max(counts_.highestSourceNumber, part->counts_.highestSourceNumber);
    if (!CheckCounts()) break;
  }
  // The texts of the parts are taken up on one side; the cross-references, then the
  // record numbers, on the other. Neither touches what the other writes to.
  std::vector<JoinedPart> joined(later.size());
  bool fits[2] = {true, true};
  if (overflow_ == nullptr) {
    RunInParallel(2, [&](std::size_t side) {
      for (std::size_t k = 0; k < later.size(); ++k) {
        JoinedPart& part = joined[k];
        if (side == 0) {
          part.texts.emplace(later[k]->store_.texts, store_.texts);
          continue;
        }
        part.personBase = personXrefs_.RecordCount();
        part.persons = personXrefs_.Append(later[k]->personXrefs_);
        part.families = familyXrefs_.Append(later[k]->familyXrefs_);
        references_.Append(later[k]->references_);
      }
      if (side == 1) {
        fits[0] = personXrefs_.Assign(kMaxRecordsPerKind);
        fits[1] = familyXrefs_.Assign(kMaxRecordsPerKind);
      }
    });
  }
  counts = std::move(counts_);
  counts.references = references_.Take();
  if (overflow_ == nullptr && !fits[0]) overflow_ = "Personen";
  if (overflow_ == nullptr && !fits[1]) overflow_ = "Familien";
  if (overflow_ != nullptr) {
    FailAsTooLarge(diagnostics, store_, counts, overflow_);
    return false;
  }
  for (std::size_t k = 0; k < later.size(); ++k) {
    for (DoubledLink d : later[k]->doubledLinks_) {
      d.person += joined[k].personBase;
      d.link = d.link > 0 ? joined[k].families[d.link - 1] : d.link;
      doubledLinks_.push_back(d);
    }
  }
  ReportDoubledLinks(diagnostics);
  ReportRecordsAfterTrailer(later, diagnostics);
  ReportRenumberings(diagnostics, personXrefs_, encoding, "Person", "RIN");
  ReportRenumberings(diagnostics, familyXrefs_, encoding, "Familie", "MRIN");
  ResolveLinks(later, joined, counts);
  RunInParallel(2, [&](std::size_t side) {
    if (side == 0) PlaceInNumberOrder(store_.personTable, personXrefs_);
    if (side == 1) PlaceInNumberOrder(store_.familyTable, familyXrefs_);
  });
  return true;
}

void RecordReader::ReportRecordsAfterTrailer(const std::vector<RecordReader*>& later,
                                             Diagnostics& diagnostics) const {
  int count = recordsAfterTrailer_;
  bool trailer = sawTrailer_;
  for (const RecordReader* part : later) {
    count += trailer ? part->records_ : part->recordsAfterTrailer_;
    trailer = trailer || part->sawTrailer_;
  }
  if (count == 0) return;
  // A file that goes on behind its TRLR line (files put together, records added by hand):
  // everything is read, and the export puts the TRLR line at the end.
  const char* records = count == 1 ? "Datensatz" : "Datensätze";
  diagnostics.ReportAppend("%d %s hinter TRLR eingelesen, der Export schreibt TRLR ans Ende\r\n",
                           count, records);
  diagnostics.LogAppend("%d %s hinter TRLR eingelesen, der Export schreibt TRLR ans Ende\r\n",
                        count, records);
}

void RecordReader::ReportDoubledLinks(Diagnostics& diagnostics) const {
  for (const DoubledLink& d : doubledLinks_) {
    diagnostics.ReportAppend("RIN %d hat doppelte %s %d: ignoriert\r\n",
                             personXrefs_.RecordNumber(d.person), d.tag,
                             familyXrefs_.Resolve(d.link));
    diagnostics.LogAppend("RIN %d hat doppelte %s %d: ignoriert\r\n",
                          personXrefs_.RecordNumber(d.person), d.tag, familyXrefs_.Resolve(d.link));
  }
}

// Links become record numbers. The records of the later parts move behind this part's
// on the way, persons on one side and families on the other; then both sides take runs
// of this part's records from one queue, so that they finish together.
void RecordReader::ResolveLinks(const std::vector<RecordReader*>& later,
                                const std::vector<JoinedPart>& joined, ReadCounts& counts) {
  auto resolveAll = [](LinkList& list, const XrefNumbering& numbering) {
    list.Transform([&](std::int32_t value) { return numbering.Resolve(value); });
  };
  // A later part's link value through the joined ids to the number.
  auto resolveLater = [](std::int32_t value, const std::vector<std::int32_t>& values,
                         const XrefNumbering& numbering) {
    return numbering.Resolve(value > 0 ? values[value - 1] : value);
  };
  auto resolveAllLater = [&](LinkList& list, const std::vector<std::int32_t>& values,
                             const XrefNumbering& numbering) {
    list.Transform([&](std::int32_t value) { return resolveLater(value, values, numbering); });
  };
  std::size_t laterPersons = 0, laterFamilies = 0;
  for (const RecordReader* part : later) {
    laterPersons += part->store_.personTable.size() - 1;
    laterFamilies += part->store_.familyTable.size() - 1;
  }
  // Room first: this part's records are worked on in place while the others move in.
  ReserveMore(store_.personTable, laterPersons);
  ReserveMore(store_.familyTable, laterFamilies);
  Person* const persons = store_.personTable.data() + 1;
  Family* const families = store_.familyTable.data() + 1;
  const std::size_t personCount = store_.personTable.size() - 1;
  const std::size_t recordCount = personCount + store_.familyTable.size() - 1;
  std::atomic<std::size_t> nextRun{0};
  RunInParallel(2, [&](std::size_t side) {
    TextPoolMap::Recent recentTexts;  // the parts' texts all have addresses of their own
    for (std::size_t k = 0; k < later.size(); ++k) {
      const JoinedPart& part = joined[k];
      if (side == 0) {
        MoveRecords(store_.personTable, later[k]->store_.personTable, [&](Person& p) {
          resolveAllLater(p.fams, part.families, familyXrefs_);
          resolveAllLater(p.famc, part.families, familyXrefs_);
          (*part.texts)(p.givenNames, recentTexts);
          (*part.texts)(p.surname, recentTexts);
          for (const EventRow& row : EventRowsOf<Person>()) {
            (*part.texts)(PlaceOf(p, row), recentTexts);
          }
        });
      } else {
        MoveRecords(store_.familyTable, later[k]->store_.familyTable, [&](Family& f) {
          f.husband = resolveLater(f.husband, part.persons, personXrefs_);
          f.wife = resolveLater(f.wife, part.persons, personXrefs_);
          resolveAllLater(f.children, part.persons, personXrefs_);
          for (const EventRow& row : EventRowsOf<Family>()) {
            (*part.texts)(PlaceOf(f, row), recentTexts);
          }
        });
      }
    }
    if (side == 1) {
      RememberSpellings(personXrefs_, "@I", counts);
      RememberSpellings(familyXrefs_, "@F", counts);
    }
    constexpr std::size_t kRun = 4096;
    for (std::size_t run; (run = nextRun.fetch_add(kRun)) < recordCount;) {
      for (std::size_t i = run; i < std::min(recordCount, run + kRun); ++i) {
        if (i < personCount) {
          resolveAll(persons[i].fams, familyXrefs_);
          resolveAll(persons[i].famc, familyXrefs_);
          continue;
        }
        Family& family = families[i - personCount];
        family.husband = personXrefs_.Resolve(family.husband);
        family.wife = personXrefs_.Resolve(family.wife);
        resolveAll(family.children, personXrefs_);
      }
    }
  });
}

// A part of the file and the tables it is read into: the store itself for the first
// part, tables of its own for every other, which are joined to the first afterwards.
struct PartRead {
  explicit PartRead(Store* into) : reader(into != nullptr ? *into : own) {}
  Store own;
  RecordReader reader;
  bool read = false;
  bool failed = false;
};

void RecordReader::Reserve(std::uint64_t bytes) {
  // A person takes a few hundred bytes of a file, a family more; every person may be
  // named in the part of the families.
  store_.personTable.reserve(static_cast<std::size_t>(bytes / 160) + 16);
  store_.familyTable.reserve(static_cast<std::size_t>(bytes / 480) + 16);
  PreferLargePages(store_.personTable.data(), store_.personTable.capacity() * sizeof(Person));
  PreferLargePages(store_.familyTable.data(), store_.familyTable.capacity() * sizeof(Family));
  personXrefs_.Reserve(static_cast<std::size_t>(bytes / 128),
                       static_cast<std::size_t>(bytes / 160));
  familyXrefs_.Reserve(static_cast<std::size_t>(bytes / 256),
                       static_cast<std::size_t>(bytes / 480));
  references_.Reserve(bytes);
}

}  // namespace

bool ReadGedRecords(const InputFile& file, FileEncoding encoding, std::uint64_t begin,
                    std::uint64_t end, Store& store, Diagnostics& diagnostics, Progress& progress,
                    ReadCounts& counts) {
  counts = ReadCounts{};
  const FilePartPolicy policy = CurrentFilePartPolicy();
  const std::vector<FilePart> initial = SplitAtRecords(file, encoding, begin, end, policy);
  PartQueue queue(file, encoding, initial, policy.minSplitBytes);
  std::mutex partsMutex;
  std::vector<std::unique_ptr<PartRead>> partReads;  // by part number
  // Only the calling thread may show progress: the parts it reads move the bar from
  // where they begin to the end of the file, so it never stands still for long.
  auto readPart = [&](std::size_t part, bool showsProgress) {
    const FilePart range = queue.Part(part);
    auto made = std::make_unique<PartRead>(part == 0 ? &store : nullptr);
    made->reader.Reserve(part == 0 ? (end > begin ? end - begin : 0) : range.end - range.begin);
    PartRead& tables = *made;
    {
      const std::lock_guard lock(partsMutex);
      if (partReads.size() <= part) partReads.resize(part + 1);
      partReads[part] = std::move(made);
    }
    LineReader reader(file, encoding, range.begin, range.end);
    const PartProgress partProgress =
        showsProgress ? PartProgress(progress, {range, {range.end, end}}, 0) : PartProgress();
    tables.read = tables.reader.Read(reader, partProgress, queue, part);
    tables.failed = reader.Failed();
  };
  RunInParallel(initial.size(), [&](std::size_t part) {
    readPart(part, part == 0);
    while (const std::optional<std::size_t> split = queue.SplitLargestRest()) {
      readPart(*split, part == 0);
    }
  });
  // Parts split off later lie behind the part they came from: joined in file order.
  std::vector<std::pair<std::uint64_t, PartRead*>> byBegin;
  for (std::size_t part = 0; part < partReads.size(); ++part) {
    byBegin.emplace_back(queue.Part(part).begin, partReads[part].get());
  }
  std::sort(byBegin.begin(), byBegin.end());
  std::vector<PartRead*> parts;
  for (const auto& [partBegin, part] : byBegin) parts.push_back(part);
  if (std::any_of(parts.begin(), parts.end(), [](const PartRead* p) { return p->failed; })) {
    // A part that could not be read would be missing from the tables, and its records
    // from the next export.
    diagnostics.ErrorBox("Fehler beim Lesen der GED Datei");
    ClearAfterFailure(store, counts);
    return false;
  }
  std::vector<RecordReader*> later;
  for (PartRead* part : parts) {
    if (!part->read) {
      FailAsTooLarge(diagnostics, store, counts, part->reader.Overflow());
      return false;
    }
    if (part != parts.front()) later.push_back(&part->reader);
  }
  if (!parts.front()->reader.Join(later, diagnostics, encoding, counts)) return false;
  counts.references.file = FileIdentity::Of(file);
  return true;
}

}  // namespace korvane
