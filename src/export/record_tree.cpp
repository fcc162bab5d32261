#include "export/record_tree.h"

#include <algorithm>
#include <iterator>
#include <string_view>

#include "dates/format_date.h"
#include "dates/parse_date_text.h"
#include "gedcom/ged_line.h"
#include "gedcom/name_value.h"
#include "store/events.h"
#include "store/sex.h"

namespace korvane {
namespace {

// An event whose date and place the program holds.
struct HeldEvent {
  std::string_view tag;
  PackedDate date;
  const char* place;
  bool hasDate;   // the has-date flag
  bool hasPlace;  // the has-place flag
};

constexpr int kMaxEvents =
    static_cast<int>(std::max(EventRowsOf<Person>().size(), EventRowsOf<Family>().size()));

// The record's held events, in table order; returns their number.
template <typename Record>
int HoldEvents(const Record& record, HeldEvent (&events)[kMaxEvents]) {
  int count = 0;
  for (const EventRow& row : EventRowsOf<Record>()) {
    events[count++] = {row.tag, DateOf(record, row), PlaceOf(record, row),
                       (record.flags & row.dateFlag) != 0, (record.flags & row.placeFlag) != 0};
  }
  return count;
}

std::string_view TextOf(const char* text) { return text != nullptr ? text : ""; }

std::string NameLine(const Person& p) {
  std::string line = "1 NAME ";
  line += TextOf(p.givenNames);
  line += " /";
  line += TextOf(p.surname);
  line += "/";
  return line;
}

class TreeBuilder {
 public:
  TreeBuilder(const Store& store, const ExportSelection& selection, bool family,
              std::int32_t number, const std::vector<RecordLine>& lines)
      : family_(family), lines_(lines), links_(store, selection, family, number) {
    std::fill(std::begin(dateLine_), std::end(dateLine_), -1);
    std::fill(std::begin(placeLine_), std::end(placeLine_), -1);
    if (family) {
      eventCount_ = HoldEvents(store.FamilyRecord(number), events_);
    } else {
      person_ = &store.PersonRecord(number);
      eventCount_ = HoldEvents(*person_, events_);
    }
  }

  RecordTree Build() {
    FindSourceLines();
    for (int i = 0; i < static_cast<int>(lines_.size()); ++i) AddLine(i);
    Complete();
    return std::move(tree_);
  }

 private:
  int EventIndex(std::string_view tag) const {
    for (int e = 0; e < eventCount_; ++e) {
      if (events_[e].tag == tag) return e;
    }
    return -1;
  }

  // The lines the reader took the held fields from: the last of each kind wins.
  void FindSourceLines() {
    int event = -1;
    for (int i = 0; i < static_cast<int>(lines_.size()); ++i) {
      const RecordLine& line = lines_[i];
      if (line.level == 1) {
        event = EventIndex(line.tag);
        NameValue name;
        if (!family_ && line.tag == "NAME" && SplitNameValue(line.value, name)) nameLine_ = i;
        if (!family_ && line.tag == "SEX") sexLine_ = i;
      } else if (line.level == 2 && event >= 0) {
        if (line.tag == "DATE") dateLine_[event] = i;
        if (line.tag == "PLAC") placeLine_[event] = i;
      }
    }
  }

  RecordTree::Block& NewBlock(int slot, std::string_view tag) {
    return tree_.slots[slot].emplace_back(RecordTree::Block{std::string(tag), {}});
  }

  RecordTree::Block& CurrentBlock() {
    if (currentSlot_ < 0) {  // lines below level 1 before any level-1 line stay in front
      currentSlot_ = 0;
      NewBlock(0, "");
    }
    return tree_.slots[currentSlot_].back();
  }

  void Keep(int i) { CurrentBlock().lines.push_back({lines_[i].level, i, {}}); }
  void Put(int level, std::string text) {
    CurrentBlock().lines.push_back({level, -1, std::move(text)});
  }

  void AddLine(int i) {
    const RecordLine& line = lines_[i];
    if (dropLevel_ >= 0) {
      if (line.level > dropLevel_ || line.level < 0) return;
      dropLevel_ = -1;
    }
    if (line.level == 1) {
      AddLevelOne(i);
    } else if (line.level == 2) {
      AddLevelTwo(i);
    } else {
      Keep(i);
    }
  }

  void AddLevelOne(int i) {
    const RecordLine& line = lines_[i];
    event_ = EventIndex(line.tag);
    if (event_ >= 0) eventSeen_[event_] = true;
    inNameSource_ = i == nameLine_;
    currentSlot_ = TagCode(line.tag, family_);
    if (RecordLinks::IsLinkTag(line.tag)) {
      std::string text = links_.Next(line.tag);
      if (text.empty()) {
        dropLevel_ = 1;
        currentSlot_ = -1;
        return;
      }
      NewBlock(currentSlot_, line.tag);
      Put(1, std::move(text));
    } else if (i == nameLine_) {
      NewBlock(currentSlot_, line.tag);
      NameValue name;
      SplitNameValue(line.value, name);
      givenChanged_ = CleanPoolText(name.givenNames) != TextOf(person_->givenNames);
      surnameChanged_ = CleanPoolText(name.surname) != TextOf(person_->surname);
      givenChanged_ || surnameChanged_ ? Put(1, NameLine(*person_)) : Keep(i);
    } else if (i == sexLine_) {
      NewBlock(currentSlot_, line.tag);
      if (SexLetterOfValue(line.value) == person_->sex) {
        Keep(i);
      } else {
        Put(1, std::string("1 SEX ") + person_->sex);
      }
    } else {
      NewBlock(currentSlot_, line.tag);
      Keep(i);
    }
  }

  void AddLevelTwo(int i) {
    const RecordLine& line = lines_[i];
    if (event_ >= 0 && (line.tag == "DATE" || line.tag == "PLAC")) {
      // Only the line the held field came from is compared; others stay as they are.
      const bool date = line.tag == "DATE";
      if (i != (date ? dateLine_ : placeLine_)[event_]) {
        Keep(i);
      } else if (!(date ? KeepOrRebuildDate(i) : KeepOrRebuildText(i, events_[event_].place))) {
        return;  // the field is empty now: the line goes
      }
      (date ? dateBelow_ : placeBelow_)[event_] = true;
    } else if (inNameSource_ && givenChanged_ && line.tag == "GIVN") {
      // GIVN and SURN are compared only when their part of the name changed: files often
      // spell them otherwise than the NAME line ("Joseph, Patrick", "KENNEDY").
      KeepOrRebuildText(i, person_->givenNames);
    } else if (inNameSource_ && surnameChanged_ && line.tag == "SURN") {
      KeepOrRebuildText(i, person_->surname);
    } else {
      Keep(i);
    }
  }

  // False when the line is left out (with what stands below it).
  bool KeepOrRebuildDate(int i) {
    const RecordLine& line = lines_[i];
    const PackedDate held = events_[event_].date;
    PackedDate read;
    ParseDateText(read, line.value.c_str());
    if (read == held) {
      Keep(i);
      return true;
    }
    const std::string text = FormatDate(held, DateForm::GedcomForm);
    if (text.empty()) {
      dropLevel_ = line.level;
      return false;
    }
    Put(2, "2 DATE " + text);
    return true;
  }

  bool KeepOrRebuildText(int i, const char* held) {
    const RecordLine& line = lines_[i];
    if (held == nullptr) {
      dropLevel_ = line.level;
      return false;
    }
    if (CleanPoolText(line.value) == held) {
      Keep(i);
    } else {
      Put(2, "2 " + line.tag + " " + held);
    }
    return true;
  }

  void AddRemainingLinks(std::string_view tag) {
    for (std::string& text : links_.Remaining(tag)) {
      NewBlock(TagCode(tag, family_), tag).lines.push_back({1, -1, std::move(text)});
    }
  }

  // Lines the record lacks for fields the program holds.
  void Complete() {
    if (!family_) {
      const Person& p = *person_;
      if (nameLine_ < 0 && (!TextOf(p.givenNames).empty() || !TextOf(p.surname).empty())) {
        NewBlock(TagCode("NAME", false), "NAME").lines.push_back({1, -1, NameLine(p)});
      }
      if (sexLine_ < 0 && p.sex != 0) {
        NewBlock(TagCode("SEX", false), "SEX")
            .lines.push_back({1, -1, std::string("1 SEX ") + p.sex});
      }
    }
    for (int e = 0; e < eventCount_; ++e) CompleteEvent(e);
    if (family_) {
      AddRemainingLinks("HUSB");
      AddRemainingLinks("WIFE");
      AddRemainingLinks("CHIL");
    } else {
      AddRemainingLinks("FAMC");
      AddRemainingLinks("FAMS");
    }
  }

  void CompleteEvent(int e) {
    const HeldEvent& event = events_[e];
    const std::string date = event.hasDate ? FormatDate(event.date, DateForm::GedcomForm) : "";
    const bool place = event.place != nullptr && *event.place != 0;
    std::vector<RecordTree::Block>& slot = tree_.slots[TagCode(event.tag, family_)];
    if (!eventSeen_[e]) {
      // A place counts without its presence bit, which a record made in the program may
      // lack; a date has its text only with the bit.
      if (!event.hasDate && !event.hasPlace && !place) return;
      NewBlock(TagCode(event.tag, family_), event.tag)
          .lines.push_back({1, -1, "1 " + std::string(event.tag)});
    }
    // The first block of the event takes what is missing.
    for (RecordTree::Block& block : slot) {
      if (block.tag != event.tag) continue;
      if (!dateBelow_[e] && !date.empty()) block.lines.push_back({2, -1, "2 DATE " + date});
      if (!placeBelow_[e] && place) {
        block.lines.push_back({2, -1, std::string("2 PLAC ") + event.place});
      }
      return;
    }
  }

  const bool family_;
  const std::vector<RecordLine>& lines_;
  RecordLinks links_;
  const Person* person_ = nullptr;
  HeldEvent events_[kMaxEvents] = {};
  int eventCount_ = 0;
  RecordTree tree_;

  int nameLine_ = -1, sexLine_ = -1;
  int dateLine_[kMaxEvents];  // -1: none; filled in by the constructor
  int placeLine_[kMaxEvents];
  bool eventSeen_[kMaxEvents] = {};
  bool dateBelow_[kMaxEvents] = {};
  bool placeBelow_[kMaxEvents] = {};

  int dropLevel_ = -1;
  int currentSlot_ = -1;
  int event_ = -1;
  bool inNameSource_ = false;
  bool givenChanged_ = false, surnameChanged_ = false;  // against the NAME line read
};

}  // namespace

void ReadRecordLines(LineReader& reader, std::vector<RecordLine>& lines) {
  std::size_t count = 0;
  GedLine line;
  while (reader.ReadLine(line)) {
    const GedLineParts parts = ParseGedLine(line.text);
    if (parts.level == 0) {
      reader.Seek(line.offset);
      break;
    }
    if (count == lines.size()) lines.emplace_back();
    RecordLine& target = lines[count++];
    target.level = parts.level;
    target.tag.assign(parts.tag);
    target.value.assign(reader.Utf8Value(parts.value));
    target.raw.assign(line.raw);
    target.end.assign(line.End());
  }
  lines.resize(count);
}

RecordTree BuildRecordTree(const Store& store, const ExportSelection& selection, bool family,
                           std::int32_t number, const std::vector<RecordLine>& lines) {
  return TreeBuilder(store, selection, family, number, lines).Build();
}

void WriteRecordTree(const RecordTree& tree, const std::vector<RecordLine>& lines,
                     const ReferenceNumbering& numbering, LineWriter& writer) {
  for (const std::vector<RecordTree::Block>& slot : tree.slots) {
    for (const RecordTree::Block& block : slot) {
      for (const RecordTree::Line& line : block.lines) {
        if (line.source < 0) {
          writer.WriteLine(line.text);
          continue;
        }
        const RecordLine& kept = lines[line.source];
        const std::string renumbered = numbering.PointerLine(kept.level, kept.tag, kept.value);
        if (renumbered.empty()) {
          writer.WriteRawLine(kept.raw, kept.end);
        } else {
          writer.WriteLine(renumbered, kept.end);
        }
      }
    }
  }
}

}  // namespace korvane
