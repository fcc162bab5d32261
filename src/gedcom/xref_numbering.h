#pragma once

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "store/string_index.h"

namespace korvane {

// The cross-references of one record kind (persons or families) and the record numbers
// they receive. While the file is read, links hold cross-reference ids; once all records
// are known, every record gets a number of its own: the number in its cross-reference
// when that is free, else a fresh one above the highest.
class XrefNumbering {
 public:
  // A link value for a cross-reference met as a value: its id + 1, or 0 when the text is
  // no cross-reference.
  std::int32_t LinkValue(std::string_view value);

  // A record of this kind begins; returns its index in file order (0, 1, ...). A record
  // whose cross-reference was defined before is kept as a record of its own.
  int DefineRecord(std::string_view xref);
  int RecordCount() const { return static_cast<int>(records_.size()); }
  // Sets room aside for about so many cross-references and records.
  void Reserve(std::size_t xrefs, std::size_t records) {
    xrefs_.reserve(xrefs);
    records_.reserve(records);
  }

  // Takes up the records and cross-references of `later`, which numbered the part of the
  // file behind this one's, as if they had been read here. Returns the link value each
  // link value of `later` now stands for (by its value - 1).
  std::vector<std::int32_t> Append(const XrefNumbering& later);

  struct Renumbering {
    int record;        // index in file order
    std::string xref;  // as written in the file, may be empty
    int number;        // the number it received
    enum Reason { NoNumber, NumberTaken, DefinedTwice, NumberTooHigh } reason;
  };

  // Gives every record its number; false when that would exceed `limit`. Numbers far
  // above the count of records are not kept (see kFreelyKeptNumbers).
  bool Assign(int limit);
  int RecordNumber(int record) const { return recordNumbers_[record]; }
  // True when the record was defined as "@<letter><its number>@", the way the export
  // writes it anyway (checked without building any text).
  bool KeepsSpelling(int record, char letter) const {
    const int id = records_[record].xrefId;
    return id >= 0 && xrefs_[id].spelledAt < 0 && xrefs_[id].letter == letter &&
           xrefs_[id].number == recordNumbers_[record];
  }
  // The cross-reference a record was defined with, or empty.
  std::string RecordXref(int record) const {
    return records_[record].xrefId >= 0 ? Text(records_[record].xrefId) : std::string();
  }
  // True when every record keeps the place it was read into: record i gets number i + 1.
  bool NumbersFollowFileOrder() const { return inFileOrder_; }
  // The number a link value stands for: its record's number, for a reference to no record
  // the number written in it (unless a record holds that number), else 0.
  std::int32_t Resolve(std::int32_t linkValue) const {
    return linkValue <= 0 ? 0 : xrefNumbers_[linkValue - 1];
  }
  int HighestNumber() const { return highest_; }
  const std::vector<Renumbering>& Renumberings() const { return renumberings_; }

 private:
  struct Xref {
    int number;     // the number written in it, 0 when it has none
    int record;     // the record defining it, or -1
    int spelledAt;  // index into otherXrefs_, or -1 for the short form "@I12@"
    char letter;    // of the short form
  };
  struct Record {
    int xrefId;  // -1: no cross-reference of its own (missing, or defined twice)
    bool definedTwice;
  };

  int Intern(std::string_view xref);
  // The id of the short form "@<letter><number>@", or -1 when it goes the general way.
  int InternShortForm(char letter, int number);
  static std::string_view ShortForm(char letter, int number, char (&buffer)[16]);
  // The cross-reference as written; short forms are spelled into `buffer`.
  std::string_view Spelling(int id, char (&buffer)[16]) const;
  std::string Text(int id) const {
    char buffer[16];
    return std::string(Spelling(id, buffer));
  }

  // "@I12@" (one letter, a number without leading zero) is found by letter and number
  // without hashing: nearly every cross-reference of nearly every file looks like that.
  // The numbers are kept in pages, made when one of their numbers first comes; a file of
  // absurd numbers gets only so many pages, and the rest go the general way.
  static constexpr int kPageBits = 10;
  using Page = std::array<std::int32_t, 1 << kPageBits>;  // number -> id + 1
  // The slot of a short form, when its page was made already; else null.
  std::int32_t* PageSlot(char letter, int number);
  // The same, making its page if the budget allows.
  std::int32_t* ShortFormSlot(char letter, int number);
  std::array<std::vector<std::unique_ptr<Page>>, 128> shortForms_;  // per letter
  std::size_t pages_ = 0;
  bool shortFormsInOther_ = false;  // some short forms went the general way
  StringIndex otherXrefs_;
  std::vector<int> otherToXref_;  // per id of otherXrefs_: our id
  std::vector<Xref> xrefs_;
  std::vector<Record> records_;
  std::vector<int> recordNumbers_;
  std::vector<std::int32_t> xrefNumbers_;
  std::vector<Renumbering> renumberings_;
  int highest_ = 0;
  bool inFileOrder_ = true;
};

}  // namespace korvane
