#include "editing/dialog_title.h"

#include <string>

#include "editing/record_edits.h"

namespace korvane {

void SetDialogTitle(EditSession& session, std::string_view prefix, Rin rin) {
  const Person& person = session.store.PersonRecord(rin);
  session.state.pendingDialogTitle =
      editing::Format("%s [%d] %s %s", std::string(prefix).c_str(), rin,
                      editing::NameText(person.givenNames), editing::NameText(person.surname));
}

}  // namespace korvane
