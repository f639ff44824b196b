#include "core/options/option_windows.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <utility>

#include "platform/fs.h"
#include "platform/mapped_file.h"

namespace kw {

namespace {

constexpr int kCentreX = 51;
constexpr int kCentreY = 36;
constexpr int kScreenWidth = 84;
constexpr int kScreenHeight = 54;

bool IsStandardMonitor(const EmulatorConfig& config) {
  return config.config.monitor == "STANDARD";
}

PreviewRect Centred(int cx, int cy, int half_width, int half_height) {
  return {cx - half_width, cy - half_height, cx + half_width, cy + half_height};
}

// A skip value kept within -max to max: one outside takes the limit on its side (0 or below
// the lower one).
std::int32_t Limit(std::int32_t value, std::int32_t max) {
  if (value >= -max && value <= max) return value;
  return value <= 0 ? -max : max;
}

}  // namespace

OptionEnabling OptionEnablingOf(const EmulatorConfig& config) {
  const auto& c = config.config;
  OptionEnabling e;
  e.VesaMode = !c.tweak;
  e.AlwaysSynced = c.tweak;
  e.ScanRate = !(e.AlwaysSynced && c.alwayssynced);
  e.Centering = !IsStandardMonitor(config);
  // "None (silence)": soundcard 0.
  e.SoundDetails = c.soundcard != 0;
  e.CheatFile = c.cheat;
  e.RotationButtons = c.norotate;
  return e;
}

int TrackBar::Position(float value) const {
  // The tolerance is above a single-precision value's error at the bars' scales (below 1e-4 up
  // to 1000) and far below a step.
  constexpr double kTolerance = 1e-4;
  const double scaled = std::trunc(static_cast<double>(value) * scale + kTolerance);
  if (!(scaled >= min)) return min;  // also a value that is not a number
  if (scaled > max) return max;
  return static_cast<int>(scaled);
}

int VolumePosition(std::int32_t volume) {
  const long long position = -static_cast<long long>(volume);
  return static_cast<int>(std::clamp<long long>(position, kVolumeBar.min, kVolumeBar.max));
}

void StoreShownValues(EmulatorConfig& config, const std::vector<std::string>& language_codes) {
  auto& c = config.config;
  for (auto [value, bar] : {std::pair{&c.beam, &kBeamBar}, std::pair{&c.flicker, &kFlickerBar},
                            std::pair{&c.gamma, &kGammaBar}}) {
    *value = bar->Value(bar->Position(*value));
  }
  c.volume = VolumeOf(VolumePosition(c.volume));
  const TextCodeList languages = LanguageList(language_codes);
  if (languages.IndexOf(c.language) < 0 && !languages.codes.empty())
    c.language = languages.codes.front();
}

std::string TrackBarLabel(const TrackBar& bar, int position) {
  char text[32];
  std::snprintf(text, sizeof text, "%2.2f", static_cast<double>(bar.Value(position)));
  return text;
}

std::string VolumeLabel(int position) {
  std::string digits = std::to_string(std::abs(position));
  if (std::abs(position) < 10) digits = "0" + digits;
  return (position != 0 ? "-" : "") + digits + " dB";
}

int RotationIndex(bool rol, bool ror, bool flipx, bool flipy) {
  return (rol ? 1 : 0) + (ror ? 2 : 0) + (flipy ? 4 : 0) + (flipx ? 8 : 0);
}

std::string_view RotationOverlayOf(int index) {
  static constexpr std::string_view kOverlays[16] = {
      "MAME0", "MAME270", "MAME90", "MAME0", "3MAM180", "3MAM90", "3MAM270", "MAME0",
      "3MAM0", "3MAM270", "3MAM90", "MAME0", "MAME180", "MAME90", "MAME270", "MAME0"};
  if (index < 0 || index > 15) return kOverlays[0];
  return kOverlays[index];
}

std::string_view RotationOverlay(const EmulatorConfig& config) {
  const auto& c = config.config;
  if (!c.norotate) return "MAME0";
  return RotationOverlayOf(RotationIndex(c.rol, c.ror, c.flipx, c.flipy));
}

ViewAreaPreview DrawViewArea(const std::string& resolution, std::optional<ScreenSize> game,
                             std::int32_t skipcolumns, std::int32_t skiplines) {
  ViewAreaPreview view;
  const std::optional<ScreenSize> res = ResolutionSize(resolution);
  if (!res || !game) return view;
  const int rw = res->width, rh = res->height, gw = game->width, gh = game->height;
  if (rw >= gw && rh >= gh) return view;  // the game fits: nothing to move
  view.active = true;
  view.x_enabled = gw - rw >= 1;
  view.y_enabled = gh - rh >= 1;
  const int fx = gw / kScreenWidth + 1;
  const int fy = gh / kScreenHeight + 1;
  view.scale = gw / fy > kScreenWidth ? fx : fy;
  const int f = view.scale;
  view.game = Centred(kCentreX, kCentreY, (gw / f) / 2, (gh / f) / 2);
  view.max_columns = std::abs((gw - rw) / 2);
  view.max_lines = std::abs((gh - rh) / 2);
  view.skipcolumns = view.x_enabled ? Limit(skipcolumns, view.max_columns) : 0;
  view.skiplines = view.y_enabled ? Limit(skiplines, view.max_lines) : 0;
  const int w = std::min(rw, gw);
  const int h = std::min(rh, gh);
  view.visible = Centred(kCentreX + view.skipcolumns / f, kCentreY + view.skiplines / f,
                         (w / f) / 2, (h / f) / 2);
  return view;
}

CenteringPreview DrawCentering(const EmulatorConfig& config) {
  CenteringPreview view;
  if (IsStandardMonitor(config)) return view;
  view.active = true;
  const int cx = config.config.centerx;
  const int cy = config.config.centery;
  view.centerx = cx;
  view.centery = cy;
  view.horizontal = {46 + cx, 35 + cy, 55 + cx, 35 + cy};
  view.vertical = {50 + cx, 31 + cy, 50 + cx, 40 + cy};
  return view;
}

PreviewPoint ViewAreaDragStart(const EmulatorConfig& config, PreviewPoint press) {
  return {press.x - config.config.skipcolumns, press.y - config.config.skiplines};
}

void DragViewArea(EmulatorConfig& config, PreviewPoint start, PreviewPoint now) {
  config.config.skipcolumns = now.x - start.x;
  config.config.skiplines = now.y - start.y;
}

void DragCentering(EmulatorConfig& config, PreviewPoint start, PreviewPoint now) {
  config.config.centerx = std::clamp(now.x - start.x, -8, 8);
  config.config.centery = std::clamp(now.y - start.y, -16, 16);
}

void NormaliseSearchPaths(EmulatorConfig& config) {
  config.directory.rompath = NormaliseSearchPath(config.directory.rompath);
  config.directory.samplepath = NormaliseSearchPath(config.directory.samplepath);
}

bool IsGzipFile(const std::string& path) {
  // Only a regular file is opened: a pipe of that name would never give its bytes.
  if (!platform::fs::FileExists(path)) return false;
  Result<platform::MappedFile> file = platform::MappedFile::Open(path);
  if (!file) return false;
  const std::string_view bytes = file->Bytes();
  return bytes.size() >= 2 && static_cast<unsigned char>(bytes[0]) == 0x1F &&
         static_cast<unsigned char>(bytes[1]) == 0x8B;
}

}  // namespace kw
