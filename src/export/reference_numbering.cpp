#include "export/reference_numbering.h"

#include <optional>

#include "gedcom/ged_line.h"

namespace korvane {

bool IsPointerValue(std::string_view value) {
  if (value.size() < 3 || value.front() != '@' || value.back() != '@') return false;
  for (const char ch : value) {
    if (ch == ' ' || ch == '\t') return false;
  }
  return true;
}

std::string ReferenceNumbering::PointerLine(int level, std::string_view tag,
                                            std::string_view value) const {
  if (!IsPointerValue(value)) return {};
  if (tag != "NOTE" && tag != "SOUR") {
    if (respelled_ == nullptr) return {};
    const auto it = respelled_->find(std::string(value));
    if (it == respelled_->end()) return {};
    return std::to_string(level) + " " + std::string(tag) + " " + it->second;
  }
  const bool note = tag == "NOTE";
  const int number = note ? NoteNumber(value) : SourceNumber(value);
  if (number == 0) return {};
  return std::to_string(level) + (note ? " NOTE @N" : " SOUR @S") + std::to_string(number) + "@";
}

int ReferenceNumbering::NumberOf(const Targets& targets, std::string_view xref) {
  const int id = targets.xrefs.Find(xref);
  return id < 0 || id >= static_cast<int>(targets.number.size()) ? 0 : targets.number[id];
}

int ReferenceNumbering::Intern(Targets& targets, std::string_view xref) {
  const auto [id, added] = targets.xrefs.Insert(xref);
  if (added) targets.record.push_back(-1);
  return id;
}

bool ReferenceNumbering::Scan(LineReader& reader, const Store& store,
                              const ExportSelection& selection, const PartProgress& progress) {
  reader.SetDecodeLines(false);  // only tags and cross-references matter here
  // A reference below a line the export leaves out (a link to a record it does not write,
  // a `_` tag below level 1) is left out with it and must not make its target written.
  std::optional<RecordLinks> links;
  int dropLevel = -1;
  bool trailer = false;
  ExportSelection::Cursor cursor;
  GedLine line;
  while (!trailer && reader.ReadLine(line)) {
    if (dropLevel < 0 && IsPlainLine(line, links.has_value())) continue;
    const GedLineParts parts = ParseGedLine(line.text);
    if (dropLevel >= 0) {
      if (parts.level > dropLevel || parts.level < 0) continue;
      dropLevel = -1;
    }
    if (parts.level == 0) {
      links.reset();
      progress.Step(line.nextOffset);
      if (!records_.empty())
        records_.back().endRef = static_cast<std::uint32_t>(references_.size());
      bool written = true;
      if (parts.tag == "INDI" || parts.tag == "FAM") {
        const bool family = parts.tag == "FAM";
        const std::int32_t number =
            family ? selection.FamilyAt(line.nextOffset, cursor)
                   : selection.PersonAt(line.nextOffset, cursor);
        written = family ? selection.FamilyWritten(number) : selection.PersonWritten(number);
        if (written) links.emplace(store, selection, family, number);
      } else if ((parts.tag == "NOTE" || parts.tag == "SOUR") && IsPointerValue(parts.xref)) {
        Targets& targets = parts.tag == "NOTE" ? notes_ : sources_;
        const int id = Intern(targets, parts.xref);
        if (targets.record[id] < 0) targets.record[id] = static_cast<int>(records_.size());
        written = false;  // until something written refers to it
      }
      const auto refs = static_cast<std::uint32_t>(references_.size());
      records_.push_back({written, refs, refs});
      trailer = parts.tag == "TRLR";
    } else if (parts.level == 1 && links && RecordLinks::IsLinkTag(parts.tag)) {
      if (!links->NextIsWritten(parts.tag)) dropLevel = 1;
    } else if (parts.level >= 2 && !parts.tag.empty() && parts.tag.front() == '_') {
      dropLevel = parts.level;
    } else if (parts.level > 0 && !records_.empty() &&
               (parts.tag == "NOTE" || parts.tag == "SOUR") && IsPointerValue(parts.value)) {
      const bool source = parts.tag == "SOUR";
      references_.push_back({source, Intern(source ? sources_ : notes_, parts.value)});
    }
  }
  if (!records_.empty()) records_.back().endRef = static_cast<std::uint32_t>(references_.size());
  return !trailer;
}

void ReferenceNumbering::Append(const ReferenceNumbering& later) {
  const int recordBase = static_cast<int>(records_.size());
  const auto referenceBase = static_cast<std::uint32_t>(references_.size());
  // The ids of the later part's cross-references, as this one knows them; a record
  // defined twice keeps its first definition.
  auto takeUp = [recordBase](Targets& into, const Targets& from) {
    std::vector<int> ids(static_cast<std::size_t>(from.xrefs.Size()));
    for (int id = 0; id < from.xrefs.Size(); ++id) {
      ids[id] = Intern(into, from.xrefs.At(id));
      if (from.record[id] >= 0 && into.record[ids[id]] < 0) {
        into.record[ids[id]] = recordBase + from.record[id];
      }
    }
    return ids;
  };
  const std::vector<int> noteIds = takeUp(notes_, later.notes_);
  const std::vector<int> sourceIds = takeUp(sources_, later.sources_);
  for (const Record& record : later.records_) {
    records_.push_back(
        {record.written, record.firstRef + referenceBase, record.endRef + referenceBase});
  }
  for (const Reference& reference : later.references_) {
    references_.push_back(
        {reference.source, (reference.source ? sourceIds : noteIds)[reference.id]});
  }
}

void ReferenceNumbering::Finish() {
  MarkReferencedRecords();
  AssignNumbers();
}

// Notes and sources are written when a written record refers to them, which may be
// another note or source: follow the references until nothing new is reached.
void ReferenceNumbering::MarkReferencedRecords() {
  std::vector<int> pending;
  for (int r = 0; r < static_cast<int>(records_.size()); ++r) {
    if (records_[r].written) pending.push_back(r);
  }
  while (!pending.empty()) {
    const Record& record = records_[pending.back()];
    pending.pop_back();
    for (std::uint32_t i = record.firstRef; i < record.endRef; ++i) {
      const Reference& ref = references_[i];
      const int target = (ref.source ? sources_ : notes_).record[ref.id];
      if (target >= 0 && !records_[target].written) {
        records_[target].written = true;
        pending.push_back(target);
      }
    }
  }
}

void ReferenceNumbering::AssignNumbers() {
  notes_.number.assign(notes_.xrefs.Size(), 0);
  sources_.number.assign(sources_.xrefs.Size(), 0);
  int nextNote = 0, nextSource = 0;
  for (const Record& record : records_) {
    if (!record.written) continue;
    for (std::uint32_t i = record.firstRef; i < record.endRef; ++i) {
      const Reference& ref = references_[i];
      Targets& targets = ref.source ? sources_ : notes_;
      // A reference to a record the file lacks gets a number too: kept as it stood, it
      // could name a record that now carries its old number.
      if (targets.number[ref.id] != 0) continue;
      targets.number[ref.id] = ref.source ? ++nextSource : ++nextNote;
    }
  }
}

}  // namespace korvane
