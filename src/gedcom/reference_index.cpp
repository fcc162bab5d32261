#include "gedcom/reference_index.h"

#include "platform/parallel.h"
#include "platform/system_hints.h"
#include "store/reserve_more.h"

namespace korvane {

FileIdentity FileIdentity::Of(const InputFile& file) {
  FileStatus status;
  if (file.Status(status) != 0) return {};
  return {status.device, status.inode, status.size, status.modifiedNs, true};
}

void ReferenceIndexBuilder::TakeApart(const GedLine& line, const GedLineParts* parsed) {
  const GedLineParts parts = parsed != nullptr ? *parsed : ParseGedLine(line.text);
  std::vector<ReferenceIndex::Record>& records = index_.records;
  const auto references = static_cast<std::uint32_t>(index_.references.size());
  if (parts.level == 0) {
    if (!records.empty()) records.back().endReference = references;
    ReferenceIndex::Record record{ReferenceIndex::Kind::Other, -1, line.nextOffset, references,
                                  references};
    const bool note = parts.tag == "NOTE";
    if (parts.tag == "INDI" || parts.tag == "FAM") {
      record.kind =
          parts.tag == "FAM" ? ReferenceIndex::Kind::Family : ReferenceIndex::Kind::Person;
    } else if ((note || parts.tag == "SOUR") && IsPointerValue(parts.xref)) {
      record.kind = note ? ReferenceIndex::Kind::Note : ReferenceIndex::Kind::Source;
      record.noteOrSource = (note ? index_.notes : index_.sources).Insert(parts.xref).first;
    }
    records.push_back(record);
    linkRecord_ =
        record.kind == ReferenceIndex::Kind::Person || record.kind == ReferenceIndex::Kind::Family;
    link_ = LinkTag::None;
    for (std::int32_t& count : linkCounts_) count = 0;
    return;
  }
  if (parts.level == 1 && TakeLinkLine(parts)) return;
  const bool source = parts.tag == "SOUR";
  if (parts.level > 0 && !records.empty() && IsPointerValue(parts.value)) {
    int id;
    if (source || parts.tag == "NOTE") {
      id = (source ? index_.sources : index_.notes).Insert(parts.value).first;
    } else {
      otherPointers_.emplace_back(parts.value);
      id = -static_cast<int>(otherPointers_.size());
    }
    const bool belowLink = parts.level >= 2 && link_ != LinkTag::None;
    index_.references.push_back(
        {source, id, belowLink ? link_ : LinkTag::None, belowLink ? linkOrdinal_ : 0});
  }
}

void ReferenceIndexBuilder::Reserve(std::uint64_t bytes) {
  // A record takes a hundred bytes of a file or more, a note or source pointer far more.
  index_.records.reserve(static_cast<std::size_t>(bytes / 128));
  index_.references.reserve(static_cast<std::size_t>(bytes / 512));
  PreferLargePages(index_.records.data(),
                   index_.records.capacity() * sizeof(ReferenceIndex::Record));
}

void ReferenceIndexBuilder::Append(const ReferenceIndexBuilder& later) {
  const ReferenceIndex& from = later.index_;
  auto takeUp = [](StringIndex& into, const StringIndex& ids) {
    std::vector<int> moved(static_cast<std::size_t>(ids.Size()));
    for (int id = 0; id < ids.Size(); ++id) moved[id] = into.Insert(ids.At(id)).first;
    return moved;
  };
  const std::vector<int> notes = takeUp(index_.notes, from.notes);
  const std::vector<int> sources = takeUp(index_.sources, from.sources);
  const auto base = static_cast<std::uint32_t>(index_.references.size());
  if (!index_.records.empty()) index_.records.back().endReference = base;
  ReserveMore(index_.records, from.records.size());
  ReserveMore(index_.references, from.references.size());
  for (ReferenceIndex::Record record : from.records) {
    if (record.kind == ReferenceIndex::Kind::Note) record.noteOrSource = notes[record.noteOrSource];
    if (record.kind == ReferenceIndex::Kind::Source) {
      record.noteOrSource = sources[record.noteOrSource];
    }
    record.firstReference += base;
    record.endReference += base;
    index_.records.push_back(record);
  }
  const int otherBase = static_cast<int>(otherPointers_.size());
  for (ReferenceIndex::Reference reference : from.references) {
    reference.id = reference.id < 0 ? reference.id - otherBase
                                    : (reference.source ? sources : notes)[reference.id];
    index_.references.push_back(reference);
  }
  otherPointers_.insert(otherPointers_.end(), later.otherPointers_.begin(),
                        later.otherPointers_.end());
}

ReferenceIndex ReferenceIndexBuilder::Take() {
  for (ReferenceIndex::Reference& reference : index_.references) {
    if (reference.id >= 0) continue;
    const std::string& xref = otherPointers_[-1 - reference.id];
    reference.source = false;
    reference.id = index_.notes.Find(xref);
    if (reference.id < 0) {
      reference.source = true;
      reference.id = index_.sources.Find(xref);
    }
  }
  otherPointers_.clear();
  if (!index_.records.empty()) {
    index_.records.back().endReference = static_cast<std::uint32_t>(index_.references.size());
  }
  return std::move(index_);
}

bool IndexReferences(const InputFile& file, FileEncoding encoding, std::uint64_t begin,
                     std::uint64_t end, Progress& progress, ReferenceIndex& index) {
  const std::vector<FilePart> parts =
      SplitAtRecords(file, encoding, begin, end, CurrentFilePartPolicy());
  const PartProgress firstPart(progress, parts, 0);
  std::vector<ReferenceIndexBuilder> builders(parts.size());
  std::vector<char> failed(parts.size());
  RunInParallel(parts.size(), [&](std::size_t i) {
    LineReader reader(file, encoding, parts[i].begin, parts[i].end);
    reader.SetDecodeLines(false);  // only tags and cross-references matter here
    GedLine line;
    while (reader.ReadLine(line)) {
      if (i == 0 && line.text.starts_with("0")) firstPart.Step(line.nextOffset);
      builders[i].Line(line);
    }
    failed[i] = reader.Failed();
  });
  for (std::size_t i = 0; i < parts.size(); ++i) {
    if (failed[i]) return false;
    if (i > 0) builders[0].Append(builders[i]);
  }
  index = builders[0].Take();
  index.file = FileIdentity::Of(file);
  return true;
}

}  // namespace korvane
