// Repairing every record at once looks for the faulty records on all cores first; the
// result must be that of repairing each record in turn.
#include "gedcom/link_check.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

#include "common/store_rows.h"
#include "gedcom/link_repair.h"
#include "platform/scripted_ui.h"
#include "store/flags.h"

namespace korvane::gedcom_test {
namespace {

// A family tree with every link given both ways, then `faults` random faults: links
// dropped, doubled or pointing nowhere, records deleted, names missing, sexes wrong.
void BuildTree(Store& store, std::mt19937& rng, int faults) {
  const int persons = 60, families = 25;
  store.personTable.resize(persons + 1);
  store.familyTable.resize(families + 1);
  auto pick = [&](int n) { return 1 + static_cast<int>(rng() % static_cast<unsigned>(n)); };
  for (Rin rin = 1; rin <= persons; ++rin) {
    Person& p = store.personTable[rin];
    p.flags = PresentFlag;
    p.surname = "Brandt";
    p.sex = rin % 2 == 1 ? 'M' : 'F';
  }
  for (Mrin m = 1; m <= families; ++m) {
    Family& f = store.familyTable[m];
    f.flags = PresentFlag;
    // Children come first, so that a fault at a parent is not repaired before them.
    f.husband = persons - 2 * m + 1;
    f.wife = persons - 2 * m + 2;
    for (const Rin parent : {f.husband, f.wife}) ListAppend(store.personTable[parent].fams, m);
    for (Rin child = m; child <= persons - 2 * families; child += families) {
      ListAppend(f.children, child);
      ListAppend(store.personTable[child].famc, m);
    }
  }
  // A link to a random record, now and then a copy of the list's last.
  auto link = [&](const LinkList& list, int count) {
    return !list.Empty() && rng() % 2 == 0 ? list.At(list.Count() - 1) : pick(count + 3) - 1;
  };
  for (int i = 0; i < faults; ++i) {
    Person& p = store.personTable[pick(persons)];
    const Mrin m = pick(families);
    Family& f = store.familyTable[m];
    switch (rng() % 9) {
      case 0:
        p.fams = LinkList();
        break;
      case 1:
        ListAppend(p.famc, link(p.famc, families));
        break;
      case 2:
        ListAppend(f.children, link(f.children, persons));
        break;
      case 3:
        p.flags = 0;
        break;
      case 4:
        f.flags = 0;
        break;
      case 5:
        p.surname = nullptr;
        break;
      case 6:
        p.sex = "MF?"[rng() % 3];
        break;
      case 7:  // the partners leave, and only the family shows it
        for (const Rin parent : {f.husband, f.wife}) ListRemove(store.personTable[parent].fams, m);
        f.husband = f.wife = 0;
        break;
      default:
        (rng() % 2 == 0 ? f.husband : f.wife) = pick(persons + 3) - 1;
        break;
    }
  }
}

std::vector<std::string> Rows(const Store& store) {
  std::vector<std::string> rows = test::StoreRows(store);
  for (Rin rin = 1; rin <= store.PersonCount(); ++rin) {
    rows.push_back(std::to_string(store.personTable[rin].flags));
  }
  for (Mrin m = 1; m <= store.FamilyCount(); ++m) {
    rows.push_back(std::to_string(store.familyTable[m].flags));
  }
  return rows;
}

// The check of a record says whether its repair alone would change the tables.
TEST(LinkCheck, FindsWhatTheRepairWouldChange) {
  for (int round = 0; round < 300; ++round) {
    Store original;
    std::mt19937 rng(round);
    BuildTree(original, rng, 1 + round % 3);
    const std::vector<std::string> before = Rows(original);
    for (int record = 1; record <= original.PersonCount() + original.FamilyCount(); ++record) {
      const bool isPerson = record <= original.PersonCount();
      const int number = isPerson ? record : record - original.PersonCount();
      Store store;
      std::mt19937 sameRng(round);
      BuildTree(store, sameRng, 1 + round % 3);
      ScriptedUi ui;
      Diagnostics d(ui);
      MissingParents missingParents(static_cast<std::size_t>(store.FamilyCount()) + 1);
      for (Mrin m = 1; m <= store.FamilyCount(); ++m) {
        missingParents[m] = NamesMissingParent(store, m);
      }
      const bool needs = isPerson ? PersonLinksNeedRepair(store, number, missingParents)
                                  : FamilyLinksNeedRepair(store, number);
      isPerson ? RepairPersonLinks(store, d, number) : RepairFamilyLinks(store, d, number);
      EXPECT_EQ(needs, Rows(store) != before)
          << "round " << round << (isPerson ? " I" : " F") << number;
    }
  }
}

// The persons' confirmation with the families' count may say "in order" only when no
// record's own check finds anything; of a tree without faults it says so.
TEST(LinkCheck, ConfirmsFromThePersonsOnlyWhatNoRecordCheckFaults) {
  int confirmed = 0;
  for (int round = 0; round < 600; ++round) {
    Store store;
    std::mt19937 rng(round);
    BuildTree(store, rng, round % 3);
    LinkTally persons, families;
    bool pass = true;
    for (Rin rin = 1; rin <= store.PersonCount(); ++rin) {
      pass = PersonLinksConfirmed(store, rin, persons) && pass;
    }
    for (Mrin m = 1; m <= store.FamilyCount(); ++m) {
      pass = FamilyLinksCounted(store, m, families) && pass;
    }
    MissingParents missingParents(static_cast<std::size_t>(store.FamilyCount()) + 1);
    for (Mrin m = 1; m <= store.FamilyCount(); ++m) {
      missingParents[m] = NamesMissingParent(store, m);
    }
    bool faulty = false;
    for (Rin rin = 1; rin <= store.PersonCount(); ++rin) {
      faulty = faulty || PersonLinksNeedRepair(store, rin, missingParents);
    }
    for (Mrin m = 1; m <= store.FamilyCount(); ++m) {
      faulty = faulty || FamilyLinksNeedRepair(store, m);
    }
    const bool inOrder = pass && persons == families;
    if (inOrder) ++confirmed;
    EXPECT_FALSE(inOrder && faulty) << "round " << round;
    if (round % 3 == 0) {
      EXPECT_TRUE(inOrder) << "round " << round;
    }
  }
  EXPECT_GT(confirmed, 200);  // also trees whose faults need no repair
}

TEST(RepairAllLinks, RepairsAsEveryRecordInTurnWould) {
  for (int round = 0; round < 400; ++round) {
    // A single fault shows best whether it is found: no repair before it covers it up.
    const int faults = round % 4 == 0 ? round % 7 : 1;
    ScriptedUi ui;
    Diagnostics inTurn(ui), atOnce(ui);
    Store expected, actual;
    std::mt19937 rng(round), sameRng(round);
    BuildTree(expected, rng, faults);
    BuildTree(actual, sameRng, faults);
    int corrections = 0;
    for (Rin rin = 1; rin <= expected.PersonCount(); ++rin) {
      corrections += RepairPersonLinks(expected, inTurn, rin);
    }
    for (Mrin m = 1; m <= expected.FamilyCount(); ++m) {
      corrections += RepairFamilyLinks(expected, inTurn, m);
    }
    SCOPED_TRACE(round);
    EXPECT_EQ(RepairAllLinks(actual, atOnce), corrections);
    EXPECT_EQ(atOnce.ReportText(), inTurn.ReportText());
    EXPECT_EQ(Rows(actual), Rows(expected));
  }
}

}  // namespace
}  // namespace korvane::gedcom_test
