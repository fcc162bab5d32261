#include "export/reference_numbering.h"

namespace korvane {
namespace {

using Kind = ReferenceIndex::Kind;

// Whether the link line a pointer stands below is written: the n-th line of a tag stands
// for the n-th entry of its list (see RecordLinks); a line with no entry, or of a tag
// the record has no list for, is left out.
bool LinkWritten(const Store& store, const ExportSelection& selection, bool family,
                 std::int32_t number, LinkTag link, std::int32_t ordinal) {
  auto entryWritten = [&](const LinkList& list, bool toFamilies) {
    if (ordinal >= list.Count()) return false;
    const std::int32_t entry = list.At(ordinal);
    return toFamilies ? selection.FamilyWritten(entry) : selection.PersonWritten(entry);
  };
  if (!family) {
    const Person& p = store.PersonRecord(number);
    if (link == LinkTag::Fams) return entryWritten(p.fams, true);
    if (link == LinkTag::Famc) return entryWritten(p.famc, true);
    return false;
  }
  const Family& f = store.FamilyRecord(number);
  if (link == LinkTag::Chil) return entryWritten(f.children, false);
  if (link != LinkTag::Husb && link != LinkTag::Wife) return false;
  return ordinal == 0 && selection.PersonWritten(link == LinkTag::Husb ? f.husband : f.wife);
}

}  // namespace

ReferenceNumbering::ReferenceNumbering(
    const ReferenceIndex& index, const Store& store, const ExportSelection& selection,
    const std::unordered_map<std::string, std::string>* respelled)
    : index_(index), respelled_(respelled) {
  notes_.record.assign(static_cast<std::size_t>(index.notes.Size()), -1);
  sources_.record.assign(static_cast<std::size_t>(index.sources.Size()), -1);
  for (int r = 0; r < static_cast<int>(index.records.size()); ++r) {
    const ReferenceIndex::Record& record = index.records[r];
    if (record.kind != Kind::Note && record.kind != Kind::Source) continue;
    int& defined = (record.kind == Kind::Note ? notes_ : sources_).record[record.noteOrSource];
    if (defined < 0) defined = r;  // a record defined twice keeps its first definition
  }
  MarkWrittenRecords(store, selection);
  MarkReferencedRecords();
  AssignNumbers();
}

std::string ReferenceNumbering::PointerLine(int level, std::string_view tag,
                                            std::string_view value) const {
  if (!IsPointerValue(value)) return {};
  if (tag != "NOTE" && tag != "SOUR") {
    // Another tag may point at a person or family, or at a note or source.
    if (respelled_ != nullptr) {
      const auto it = respelled_->find(std::string(value));
      if (it != respelled_->end()) {
        return std::to_string(level) + " " + std::string(tag) + " " + it->second;
      }
    }
    const int note = NoteNumber(value);
    const int number = note != 0 ? note : SourceNumber(value);
    if (number == 0) return {};
    return std::to_string(level) + " " + std::string(tag) + (note != 0 ? " @N" : " @S") +
           std::to_string(number) + "@";
  }
  const bool note = tag == "NOTE";
  const int number = note ? NoteNumber(value) : SourceNumber(value);
  if (number == 0) return {};
  return std::to_string(level) + (note ? " NOTE @N" : " SOUR @S") + std::to_string(number) + "@";
}

int ReferenceNumbering::NumberOf(const StringIndex& xrefs, const Targets& targets,
                                 std::string_view xref) {
  const int id = xrefs.Find(xref);
  return id < 0 || id >= static_cast<int>(targets.number.size()) ? 0 : targets.number[id];
}

// Persons and families as selected, notes and sources not yet (until something written
// refers to them), every other record. A pointer below a link line counts only when the
// link line is written.
void ReferenceNumbering::MarkWrittenRecords(const Store& store, const ExportSelection& selection) {
  written_.assign(index_.records.size(), 0);
  kept_.assign(index_.references.size(), 1);
  ExportSelection::Cursor cursor;
  for (std::size_t r = 0; r < index_.records.size(); ++r) {
    const ReferenceIndex::Record& record = index_.records[r];
    if (record.kind == Kind::Note || record.kind == Kind::Source) continue;
    if (record.kind == Kind::Other) {
      written_[r] = 1;
      continue;
    }
    const bool family = record.kind == Kind::Family;
    const std::int32_t number = family ? selection.FamilyAt(record.offset, cursor)
                                       : selection.PersonAt(record.offset, cursor);
    written_[r] = family ? selection.FamilyWritten(number) : selection.PersonWritten(number);
    if (!written_[r]) continue;
    for (std::uint32_t i = record.firstReference; i < record.endReference; ++i) {
      const ReferenceIndex::Reference& reference = index_.references[i];
      if (reference.link != LinkTag::None) {
        kept_[i] =
            LinkWritten(store, selection, family, number, reference.link, reference.linkOrdinal);
      }
    }
  }
}

// Notes and sources are written when a written record refers to them, which may be
// another note or source: follow the references until nothing new is reached.
void ReferenceNumbering::MarkReferencedRecords() {
  std::vector<int> pending;
  for (int r = 0; r < static_cast<int>(written_.size()); ++r) {
    if (written_[r]) pending.push_back(r);
  }
  while (!pending.empty()) {
    const ReferenceIndex::Record& record = index_.records[pending.back()];
    pending.pop_back();
    for (std::uint32_t i = record.firstReference; i < record.endReference; ++i) {
      const ReferenceIndex::Reference& reference = index_.references[i];
      if (!kept_[i] || reference.id < 0) continue;
      const int target = (reference.source ? sources_ : notes_).record[reference.id];
      if (target >= 0 && !written_[target]) {
        written_[target] = 1;
        pending.push_back(target);
      }
    }
  }
}

void ReferenceNumbering::AssignNumbers() {
  notes_.number.assign(notes_.record.size(), 0);
  sources_.number.assign(sources_.record.size(), 0);
  int nextNote = 0, nextSource = 0;
  for (std::size_t r = 0; r < index_.records.size(); ++r) {
    if (!written_[r]) continue;
    const ReferenceIndex::Record& record = index_.records[r];
    for (std::uint32_t i = record.firstReference; i < record.endReference; ++i) {
      const ReferenceIndex::Reference& reference = index_.references[i];
      if (!kept_[i] || reference.id < 0) continue;
      Targets& targets = reference.source ? sources_ : notes_;
      // A reference to a record the file lacks gets a number too: kept as it stood, it
      // could name a record that now carries its old number.
      if (targets.number[reference.id] != 0) continue;
      targets.number[reference.id] = reference.source ? ++nextSource : ++nextNote;
    }
  }
}

}  // namespace korvane
