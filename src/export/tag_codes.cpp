#include "export/tag_codes.h"

namespace korvane {
namespace {

struct TagSlot {
  std::string_view tag;
  int slot;
};

constexpr TagSlot kPersonSlots[] = {
    {"RESN", 1},  {"NAME", 2},  {"SEX", 3},   {"BIRT", 4},  {"CHR", 5},   {"DEAT", 6},
    {"BURI", 7},  {"CREM", 8},  {"ADOP", 9},  {"BAPM", 10}, {"BARM", 11}, {"BASM", 12},
    {"BLES", 13}, {"CHRA", 14}, {"CONF", 15}, {"FCOM", 16}, {"ORDN", 17}, {"NATU", 18},
    {"EMIG", 19}, {"IMMI", 20}, {"CENS", 21}, {"PROB", 22}, {"WILL", 23}, {"GRAD", 24},
    {"RETI", 25}, {"EVEN", 26}, {"CAST", 27}, {"DSCR", 28}, {"EDUC", 29}, {"NATI", 31},
    {"NCHI", 32}, {"NMR", 33},  {"OCCU", 34}, {"PROP", 35}, {"RELI", 36}, {"RESI", 37},
    {"SSN", 38},  {"TITL", 39}, {"BAPL", 40}, {"CONL", 41}, {"ENDL", 42}, {"SLGC", 43},
    {"FAMC", 44}, {"FAMS", 45}, {"ASSO", 46}, {"SUBM", 47}, {"ALIA", 48}, {"ANCI", 49},
    {"DESI", 50}, {"_UID", 51}, {"SOUR", 53}, {"NOTE", 54}, {"RFN", 55},  {"REFN", 56},
    {"RIN", 57},  {"OBJE", 58}, {"CHAN", 59},
};

constexpr TagSlot kFamilySlots[] = {
    {"HUSB", 1},  {"WIFE", 2},  {"CHIL", 3},  {"ANUL", 4},  {"DIV", 5},   {"ENGA", 6},
    {"MARR", 7},  {"MARB", 8},  {"MARC", 9},  {"MARL", 10}, {"MARS", 11}, {"CENS", 21},
    {"EVEN", 26}, {"RESI", 37}, {"SUBM", 47}, {"SOUR", 53}, {"NOTE", 54}, {"REFN", 56},
    {"RIN", 57},  {"OBJE", 58}, {"CHAN", 59},
};

template <std::size_t N>
int Find(const TagSlot (&table)[N], std::string_view tag) {
  for (const TagSlot& entry : table) {
    if (entry.tag == tag) return entry.slot;
  }
  return kOtherTagsSlot;
}

}  // namespace

int TagCode(std::string_view tag, bool family) {
  return family ? Find(kFamilySlots, tag) : Find(kPersonSlots, tag);
}

}  // namespace korvane
