// The event table against the fields it names: the reader fills, and the rebuilding of a
// changed record writes back, each event's own date, place and presence bits.
#include <gtest/gtest.h>

#include <string>

#include "export_test_util.h"
#include "store/events.h"

namespace korvane::export_test {
namespace {

TEST(EventTable, EachRowIsTheFieldItsTagIsReadIntoAndWrittenFrom) {
  Session s;
  ASSERT_TRUE(
      s.LoadText(Ged("0 HEAD|0 @I1@ INDI|1 SEX M|1 FAMS @F1@|1 BIRT|2 DATE 1801|2 PLAC Bonn|"
                     "1 CHR|2 DATE 1802|2 PLAC Celle|1 DEAT|2 DATE 1803|2 PLAC Dessau|"
                     "1 BURI|2 DATE 1804|2 PLAC Essen|0 @F1@ FAM|1 HUSB @I1@|1 MARR|2 DATE 1805|"
                     "2 PLAC Minden|0 TRLR")));
  Person& p = s.P(1);
  Family& f = s.store.familyTable[1];
  // The fields by their names, each event's year and place its own.
  EXPECT_EQ(std::to_string(p.birthDate.Year()) + p.birthPlace + std::to_string(p.chrDate.Year()) +
                p.chrPlace + std::to_string(p.deathDate.Year()) + p.deathPlace +
                std::to_string(p.burialDate.Year()) + p.burialPlace +
                std::to_string(f.marriageDate.Year()) + f.marriagePlace,
            "1801Bonn1802Celle1803Dessau1804Essen1805Minden");
  // Every row reaches the same fields, and its presence bits are its own.
  const std::string read[] = {"1801Bonn", "1802Celle", "1803Dessau", "1804Essen", "1805Minden"};
  std::uint32_t personBits = 0, familyBits = 0;
  for (const EventRow& row : kEventRows) {
    const std::uint32_t bits = row.dateFlag | row.placeFlag;
    const bool family = row.ofFamily;
    const int year = family ? DateOf(f, row).Year() : DateOf(p, row).Year();
    const std::string place = family ? PlaceOf(f, row) : PlaceOf(p, row);
    EXPECT_EQ(std::to_string(year) + place, read[static_cast<int>(row.kind)]) << row.tag;
    EXPECT_EQ(((family ? f.flags : p.flags) & bits), bits) << row.tag;
    EXPECT_EQ((personBits | familyBits) & bits, 0u) << row.tag << " shares a bit";
    (family ? familyBits : personBits) |= bits;
  }
  EXPECT_EQ(p.flags, PresentFlag | personBits);
  EXPECT_EQ(f.flags, PresentFlag | HasHusbandFlag | familyBits);

  // Changed by their names, the fields go back below their own tags.
  TextPool& texts = s.store.texts;
  const auto place = [&](const char* text) { return InternText(texts, TextPoolId::Places, text); };
  p.birthDate = PackedDate::Make(1901), p.birthPlace = place("Bautzen");
  p.chrDate = PackedDate::Make(1902), p.chrPlace = place("Chemnitz");
  p.deathDate = PackedDate::Make(1903), p.deathPlace = place("Dresden");
  p.burialDate = PackedDate::Make(1904), p.burialPlace = place("Eisenach");
  f.marriageDate = PackedDate::Make(1905), f.marriagePlace = place("Meißen");
  p.flags |= ChangedFlag | SelectedFlag;
  f.flags |= ChangedFlag;
  EXPECT_EQ(s.Export(),
            Split("0 HEAD|0 @I1@ INDI|1 SEX M|1 BIRT|2 DATE 1901|2 PLAC Bautzen|"
                  "1 CHR|2 DATE 1902|2 PLAC Chemnitz|1 DEAT|2 DATE 1903|2 PLAC Dresden|"
                  "1 BURI|2 DATE 1904|2 PLAC Eisenach|1 FAMS @F1@|0 @F1@ FAM|1 HUSB @I1@|"
                  "1 MARR|2 DATE 1905|2 PLAC Meißen|0 TRLR"));
}

}  // namespace
}  // namespace korvane::export_test
