// What the shell and the profile rules need of the main window itself: its title, the news
// item, and the two states of its menus and tool bar (with and without a profile).
#pragma once

#include <string>

namespace kw {

class ShellView {
 public:
  virtual ~ShellView() = default;
  virtual void SetTitle(const std::string& title) = 0;
  // Enables "What's new in this version" (only when the news file exists).
  virtual void SetNewsAvailable(bool available) = 0;
  // Enables or disables every command that needs a profile.
  virtual void ShowProfileState(bool profile_loaded) = 0;
};

}  // namespace kw
