#pragma once

// What the mouse and the context menu do in the children list of the family view, without
// the window. Each line of the list stands for a child of the person whose children it
// shows, or is an empty line (a RIN of 0 or less) for adding one.

#include <span>

#include "editing/edit_session.h"

namespace korvane {

inline constexpr int kMemberContextMenu = 143;  // "Edit Context Menu"

enum MemberMenuCommand : int {
  kEditMemberCommand = 32779,      // "&Bearbeiten"
  kSeparateMemberCommand = 32780,  // "&Trennen"
  kDeleteMemberCommand = 32788,    // "&Löschen"
  kOtherParentsCommand = 32825,    // "&Andere Eltern"
};

struct MemberMenuEntry {
  int command;
  const char* text;
};
// The entries of the context menu, in menu order.
std::span<const MemberMenuEntry> MemberMenuEntries();

// What the view does after a click or a menu command.
struct MemberListResult {
  bool showFamilyView = false;     // draw the family view anew (the current person changed,
                                   // or a child or family was added or edited)
  bool removeItem = false;         // the clicked line goes from the list
  bool showContextMenu = false;    // open the context menu at the cursor for the clicked line
  bool rebuildPersonList = false;  // persons were added, edited or deleted
};

class FamilyMemberList {
 public:
  // The list of the children of `person`.
  FamilyMemberList(EditSession& session, Rin person);

  Rin person() const { return person_; }

  // On the current person's line: the next of the person's marriages is shown. On an
  // empty line: new children are added to the family shown. On another child: that child
  // becomes the current person.
  MemberListResult LeftClick(Rin item);
  // On an empty line: asks for the RIN of a child to add (or, left empty, adds new ones).
  // On a child: the view selects the line and opens the context menu.
  MemberListResult RightClick(Rin item);
  // A command of the context menu, carried out on the child of the line.
  MemberListResult ContextCommand(int command, Rin item);

 private:
  Mrin ShownFamily() const;

  EditSession& session_;
  Rin person_;
};

}  // namespace korvane
