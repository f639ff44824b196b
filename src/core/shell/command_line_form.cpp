#include "core/shell/command_line_form.h"

#include "core/launch/launch_controller.h"
#include "core/shared/game_database.h"
#include "core/shared/game_list_navigation.h"
#include "core/shared/settings.h"
#include "platform/fs.h"

namespace kw {

CommandLineForm::CommandLineForm(FrontEndSettings& settings, const GameDatabase& database,
                                 const GameListNavigation& list, LaunchController& launch)
    : settings_(settings), database_(database), list_(list), launch_(launch) {}

void CommandLineForm::SetAddExtraOptions(bool on) {
  settings_.AddExtraOptions = on;
}
void CommandLineForm::SetExtraOptions(const std::string& text) {
  settings_.ExtraOptions = text;
}
void CommandLineForm::SetLogTextOutput(bool on) {
  settings_.LogTextOutput = on;
}
void CommandLineForm::SetIgnoreConfig(bool on) {
  settings_.IgnoreConfig = on;
}

std::string CommandLineForm::Example() {
  std::string dir = platform::fs::CurrentDirectory();
  if (dir.size() > 1 && dir.back() == '/') dir.pop_back();
  std::string name = kPlaceholderSetName;
  const long position = list_.SelectedGame();
  if (database_.ProfileLoaded && position >= 0 &&
      static_cast<std::size_t>(position) < database_.GameCount())
    name = database_.Game(static_cast<std::size_t>(position)).Name.Str();
  return dir + ">" + launch_.CommandLineText(name);
}

}  // namespace kw
