// The About window's logo runs through its frames 1..kLogoFrames and back (1, 2, ... 12, 11,
// ... 1, 2, ...), never showing an end frame twice in a row.
#pragma once

namespace kw {

inline constexpr int kLogoFrames = 12;

// The frame after `frame`; `direction` (+1 or -1) turns at either end.
constexpr int NextLogoFrame(int frame, int& direction) {
  if (frame >= kLogoFrames) direction = -1;
  if (frame <= 1) direction = 1;
  return frame + direction;
}

}  // namespace kw
