#pragma once

namespace korvane {

// The ids of the menu and context-menu commands.
enum CommandId : int {
  kCmdInfo = 32771,
  kCmdNew = 32772,
  kCmdImport = 32773,
  kCmdExportAll = 32774,
  kCmdPartialExport = 32775,
  kCmdTextInput = 32776,
  kCmdTextOutput = 32777,
  kCmdQuit = 32778,
  kCmdEditPerson = 32779,
  kCmdSeparateChild = 32780,
  kCmdSeparateSpouse = 32781,
  kCmdSeparateParents = 32782,
  kCmdNewPerson = 32783,
  kCmdAddSpouse = 32784,
  kCmdAddChild = 32785,
  kCmdAddFather = 32786,
  kCmdAddMother = 32787,
  kCmdDeletePerson = 32788,
  kCmdSearchReplace = 32789,
  kCmdSoundex = 32790,
  kCmdHelp = 32792,
  kCmdRecentFile1 = 32793,
  kCmdRecentFile4 = 32796,
  kCmdAddNew = 32797,
  kCmdAddFromList = 32798,
  kCmdRelationship = 32799,
  kCmdDuplicates = 32800,
  kCmdIslands = 32801,
  kCmdAutoSource = 32802,
  kCmdCheck = 32804,
  kCmdSearchPersons = 32805,
  kCmdSearchEvents = 32806,
  kCmdBirthsByPlace = 32807,
  kCmdDeathsByPlace = 32808,
  kCmdMarriagesByPlace = 32809,
  kCmdCountGivenNames = 32810,
  kCmdCountSurnames = 32811,
  kCmdCountPlaces = 32812,
  kCmdCountEvents = 32813,
  kCmdSelectPerson = 32814,
  kCmdSelectAncestors = 32815,
  kCmdSelectDescendants = 32816,
  kCmdSelectAll = 32817,
  kCmdUnselectPerson = 32818,
  kCmdUnselectAncestors = 32819,
  kCmdUnselectDescendants = 32820,
  kCmdUnselectAll = 32821,
  kCmdCheckEditPerson = 32822,
  kCmdCheckRemoveError = 32823,
  kCmdMerge = 32824,
  kCmdOtherParents = 32825,
};

// The tabs, in strip order.
enum TabIndex : int {
  kTabList = 0,
  kTabSelection = 1,
  kTabAncestors = 2,
  kTabBranches = 3,
  kTabTree = 4,
  kTabHourglass = 5,
  kTabFamily = 6,
  kTabPerson = 7,
  kTabReport = 8,
};
inline constexpr int kTabCount = 9;

}  // namespace korvane
