#pragma once

#include "editing/edit_session.h"

namespace korvane {

// Makes the existing man `father` the father of `child`: asks, for each of his families,
// whether its wife is the mother, and takes the first family confirmed; otherwise he
// joins the child's first parent family without a father, or a new one. Refuses with an
// error box anyone but a man, a number that names no present person, the child itself,
// a man who is the child's father already, and a man descending from the child. Returns
// the father, or 0 when refused.
Rin AddFather(EditSession& session, Rin child, Rin father);
// The same for a mother.
Rin AddMother(EditSession& session, Rin child, Rin mother);

// Creates the father of `child` in the person edit dialog (a man with the child's
// surname) and makes him the father in the family the dialog made for him, or else in
// the child's first parent family without a father, or a new one. Returns the new
// person, or 0 when the dialog was cancelled (then nothing changes).
Rin AddNewFather(EditSession& session, Rin child);
// The same for a mother (a woman without a surname).
Rin AddNewMother(EditSession& session, Rin child);

}  // namespace korvane
