// MAMECD.INI comes from any disc: any bytes must give disc answers without a crash, and a disc
// directory always lies on the drive.
#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "core/shared/cd_discs.h"
#include "core/shared/settings.h"
#include "core/silent_user_interface.h"
#include "platform/fs.h"

namespace {

// The user always declines to change discs.
class DecliningUi : public kw::SilentUserInterface {
 public:
  int asked = 0;
  kw::MsgAnswer Ask(const std::string&, kw::MsgIcon, kw::MsgButtons) override {
    ++asked;
    return kw::MsgAnswer::Cancel;
  }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  namespace fs = kw::platform::fs;
  static const std::string drive = "/tmp/kw-mamecd-fuzz-" + std::to_string(getpid());
  static const bool made = fs::MakeDirectories(drive).Ok();
  static const bool cleaned = std::atexit([] { (void)fs::DeleteTree(drive); }) == 0;
  (void)cleaned;
  if (!made) return 0;
  if (!fs::WriteFile(drive + "/MAMECD.INI", std::string(reinterpret_cast<const char*>(data), size)))
    return 0;

  DecliningUi ui;
  kw::FrontEndSettings settings;
  settings.MameCd = true;
  settings.MameCdDrive = drive;
  kw::CdDiscs discs(ui, settings);
  (void)discs.EnsureDisc(1);
  (void)discs.EnsureDisc(-5);
  for (const char* set : {"pacman", "PACMAN", "", "a=b", "[Roms]"}) {
    for (bool samples : {false, true}) {
      std::optional<std::string> dir = discs.DiscDirectory(set, samples);
      if (dir && (dir->rfind(drive + "/", 0) != 0 || dir->back() != '/')) std::abort();
    }
  }
  if (ui.asked > 12) std::abort();  // one question per declined disc at most
  return 0;
}
