// The quick information of the selected game and its picture tabs (none, game, cabinet, flyer,
// hardware).
#pragma once

#include "core/profile/profile_controller.h"

namespace kw {

struct FrontEndSettings;

inline constexpr int kPictureTabs = 5;

class QuickInfoView {
 public:
  virtual ~QuickInfoView() = default;
  // Shows the picture tab `index` (0..4) without taking it for a change of the user's.
  virtual void ShowPictureTab(int index) = 0;
  // Enables the box and the pictures with a profile; without one every value reads
  // "Not available" and the product picture is hidden.
  virtual void ShowProfileState(bool profile_loaded) = 0;
};

class QuickInfoController : public ProfileListener {
 public:
  QuickInfoController(FrontEndSettings& settings, QuickInfoView& view);

  // Shows the stored picture tab.
  void ShowSettings();
  // ScreenShotPGEChange: the user chose another picture tab.
  void SelectPictureTab(int index);

  void ProfileStateChanged(bool profile_loaded) override;

 private:
  FrontEndSettings& settings_;
  QuickInfoView& view_;
};

}  // namespace kw
