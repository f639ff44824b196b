// The rules of the emulator option windows (video, audio, miscellaneous, directories): which
// controls are available for the options set, how the track bars stand for their options, and
// the geometry of the video window's three previews. The windows only lay out and show what
// these give.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/options/option_lists.h"
#include "core/shared/emulator_config.h"

namespace kw {

// ShowConfigInWindows' enabling rules: true when the control takes input.
struct OptionEnabling {
  bool VesaMode = true;      // and TripleBuffer: only without tweaked modes
  bool AlwaysSynced = true;  // only with tweaked modes
  bool ScanRate = true;      // not while the scan rate is forced to the game's
  bool Centering = true;     // waitinterlace, the centering preview and its button and values
  bool SoundDetails = true;  // everything of the audio window but the sound card
  bool CheatFile = true;     // the cheat file field and its two buttons
  bool RotationButtons = true;
  bool operator==(const OptionEnabling&) const = default;
};
OptionEnabling OptionEnablingOf(const EmulatorConfig& config);

// A track bar over a real option: position = option x scale, truncated toward zero and kept
// within the bar; the option = position / scale when the user moves it, and when the window
// shows it (StoreShownValues): a value between two positions or outside the bar takes the value of
// the position shown. A file's decimal value that lies on a position keeps it, although its
// single-precision form may lie a hair below (1.3 is 1.2999999...).
struct TrackBar {
  int min;
  int max;
  int tick;
  int scale;
  int Position(float value) const;
  float Value(int position) const { return static_cast<float>(position) / scale; }
};
inline constexpr TrackBar kBeamBar{10, 160, 10, 10};
inline constexpr TrackBar kFlickerBar{0, 1000, 100, 10};
inline constexpr TrackBar kGammaBar{50, 200, 10, 100};
// The volume bar stands at minus the volume (0 to 32 dB of attenuation).
inline constexpr TrackBar kVolumeBar{0, 32, 2, 1};
int VolumePosition(std::int32_t volume);
inline std::int32_t VolumeOf(int position) {
  return -position;
}

// What showing the record in the option windows stores, so that the windows show exactly what
// the file will get: each bar's option the value of the position it shows (beam 1.55 stands at
// 15 and becomes 1.5, beam 0.5 at the minimum and becomes 1; a volume outside the bar its end),
// and a language no entry stands for the first code of `language_codes` (ENGLISH). The view
// area's skip values follow the preview (OptionWindowsController).
void StoreShownValues(EmulatorConfig& config, const std::vector<std::string>& language_codes);

// The labels beside the bars: "1.50", "0.50", and the volume as "00 dB", "-05 dB", "-32 dB".
std::string TrackBarLabel(const TrackBar& bar, int position);
std::string VolumeLabel(int position);

// The rotation preview: the overlay drawn at (22, 7) over the monitor picture.
inline constexpr int kOverlayX = 22;
inline constexpr int kOverlayY = 7;
// rol + 2 x ror + 4 x flipy + 8 x flipx.
int RotationIndex(bool rol, bool ror, bool flipx, bool flipy);
std::string_view RotationOverlayOf(int index);  // 0 to 15: "MAME0", "MAME270", ...
std::string_view RotationOverlay(const EmulatorConfig& config);

// The monitor picture of the previews: 100 x 100 pixels whose screen runs from (7, 7) to
// (93, 63), centre (51, 36).
struct PreviewRect {
  int left = 0;
  int top = 0;
  int right = 0;  // inclusive
  int bottom = 0;
  bool operator==(const PreviewRect&) const = default;
};
inline constexpr PreviewRect kPreviewScreen{7, 7, 93, 63};
inline constexpr int kPreviewSize = 100;

// The viewable-area preview of a resolution for the selected game's screen.
struct ViewAreaPreview {
  bool active = false;     // the preview, its Center button and the drag are available
  bool x_enabled = false;  // the X label and value
  bool y_enabled = false;
  // The values shown, and that the options take when the user acts on the preview or changes
  // the resolution: 0 while inactive or along an axis the game fits, else within the limits.
  std::int32_t skipcolumns = 0;
  std::int32_t skiplines = 0;
  std::int32_t max_columns = 0;  // the limits: -max to max
  std::int32_t max_lines = 0;
  int scale = 1;
  PreviewRect game;     // the game's whole screen, a white frame
  PreviewRect visible;  // what the resolution shows of it, filled red
  bool operator==(const ViewAreaPreview&) const = default;
};
// `game` is the selected game's screen (nothing when no game is selected).
ViewAreaPreview DrawViewArea(const std::string& resolution, std::optional<ScreenSize> game,
                             std::int32_t skipcolumns, std::int32_t skiplines);

// The centering preview: a white cross, moved by centerx and centery.
struct CenteringPreview {
  bool active = false;  // not for the standard monitor
  std::int32_t centerx = 0;
  std::int32_t centery = 0;
  PreviewRect horizontal;  // one-pixel lines
  PreviewRect vertical;
  bool operator==(const CenteringPreview&) const = default;
};
CenteringPreview DrawCentering(const EmulatorConfig& config);

// The drags: the new option values for the mouse at (x, y) after a press at (start_x, start_y).
struct PreviewPoint {
  int x = 0;
  int y = 0;
};
// The start point of a drag in the view area pressed at `press`: the press point taken back by
// the offset the area already has, so that a second drag goes on from where the first left it
// instead of jumping back towards 0.
PreviewPoint ViewAreaDragStart(const EmulatorConfig& config, PreviewPoint press);
// The view area takes the distance from the start point as it is; DrawViewArea then limits it.
void DragViewArea(EmulatorConfig& config, PreviewPoint start, PreviewPoint now);
// The centering cross moves at most 8 to either side and 16 up or down.
void DragCentering(EmulatorConfig& config, PreviewPoint start, PreviewPoint now);

// The search paths as the emulator is given them, after the directories window closes.
void NormaliseSearchPaths(EmulatorConfig& config);

// Whether the cheat file begins with the gzip signature (1F 8B); a file that cannot be read
// is not compressed.
bool IsGzipFile(const std::string& path);
inline constexpr std::string_view kCheatFileCompressed =
    "The cheat file is GZip-compressed and\rcannot be opened in a text editor.";

}  // namespace kw
