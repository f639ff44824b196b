// The kept verdicts of the open profile's sets: read when a profile opens, brought up to date
// after every check (a verification, the status check at opening).
#pragma once

#include <string>
#include <string_view>

#include "core/audit/set_status.h"
#include "core/shared/profile_listener.h"

namespace kw {

class GameDatabase;
struct AppNames;

class SetStatusController : public ProfileListener {
 public:
  SetStatusController(const GameDatabase& database, const AppNames& names);

  // Reads the opened profile's kept verdicts.
  void ProfileOpened() override;
  // The kept status of a set of the open profile, or null for one never judged.
  const SetStatus* Find(std::string_view name) const { return book_.Find(name); }
  const SetStatusBook& Book() const { return book_; }
  // Whether no set of the open profile has been judged yet.
  bool Empty() const { return book_.Size() == 0; }
  // Keeps the verdicts of a check that ends now and writes them. `whole`: every set of the
  // profile was judged, so sets the check left out (they need no file) are forgotten.
  Status Keep(const SetVerdicts& verdicts, bool whole);
  // Why the kept verdicts could not be read at the last opening (empty when they could): an
  // unreadable file, or lines of it that were skipped.
  const std::string& LoadProblem() const { return load_problem_; }

 private:
  const GameDatabase& database_;
  const AppNames& names_;
  std::string path_;  // of the open profile's file; empty before one opens
  SetStatusBook book_;
  std::string load_problem_;
};

}  // namespace kw
