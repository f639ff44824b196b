#include "core/shared/settings_store.h"

#include "platform/fs.h"

namespace kw {

void SettingsStore::Load(const std::string& system_dir) {
  file_.Load();
  values_ = LoadSettings(file_, system_dir);
  filters_ = LoadFilterSettings(file_);
}

Status SettingsStore::Save() {
  // A file that exists but cannot be read is not overwritten: its other lines would be lost.
  const bool exists = platform::fs::FileExists(file_.Path());
  if (!file_.Load() && exists) return Failure("Unable to write to " + file_.Path());
  if (Status saved = SaveSettings(values_, file_); !saved) return saved;
  // The filters' section comes after the others, and is written only when something changed.
  PutFilterSettings(filters_, file_);
  if (file_.Dirty() && !file_.Flush()) return Failure("Unable to write to " + file_.Path());
  return Success();
}

}  // namespace kw
