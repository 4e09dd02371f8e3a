#pragma once

namespace kestrune::db {
class Connection;
}
namespace kestrune::shell {
class UserInteraction;
}

namespace kestrune::check {

// Offered from the About box: after the person agrees, every record reads as
// checked without a logic error (RecordState 1) until the next check, in one
// statement. Returns whether the records were reset; an engine failure is
// thrown for the caller to report.
bool ResetAllRecordStates(db::Connection& connection, shell::UserInteraction& ui);

} // namespace kestrune::check
