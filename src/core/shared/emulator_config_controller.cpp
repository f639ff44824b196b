#include "core/shared/emulator_config_controller.h"

#include "core/shared/game_database.h"
#include "core/shared/mame_options.h"

namespace kw {

EmulatorConfigController::EmulatorConfigController(const GameDatabase& database,
                                                   std::string temp_dir_name)
    : database_(database), temp_dir_name_(std::move(temp_dir_name)) {}

void EmulatorConfigController::ReadEmulatorConfig() {
  config_ = EmulatorConfig();
  mame_files_ = MameIniFiles();
  if (database_.Dialect == EmulatorDialect::kListxml) {
    const bool read = ReadMameConfig(database_.EmulatorDir + database_.EmulatorExe,
                                     database_.WorkDirectory(), config_, mame_files_)
                          .Ok();
    mame_read_ = config_;
    read_from_ = read ? database_.EmulatorDir : std::string();
    return;
  }
  const bool read = kw::ReadEmulatorConfig(database_.EmulatorDir, config_).Ok();
  read_from_ = read ? database_.EmulatorDir : std::string();
}

Status EmulatorConfigController::WriteEmulatorConfig() {
  if (database_.Dialect == EmulatorDialect::kListxml) {
    Status written = WriteMameConfig(mame_files_, mame_read_, config_);
    if (written) mame_read_ = config_;
    return written;
  }
  return kw::WriteEmulatorConfig(database_.EmulatorDir, temp_dir_name_, config_);
}

bool EmulatorConfigController::WriteAtShutdown() {
  if (read_from_.empty() || read_from_ != database_.EmulatorDir) return false;
  return WriteEmulatorConfig().Ok();
}

}  // namespace kw
