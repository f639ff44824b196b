#include "core/shell/logo_animation.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <vector>

namespace kw {
namespace {

TEST(LogoAnimation, RunsUpFromOneThenBackAndForthWithoutJumps) {
  int direction = 1;
  int frame = 1;
  std::vector<int> seen{frame};
  for (int i = 0; i < 40; ++i) {
    frame = NextLogoFrame(frame, direction);
    seen.push_back(frame);
  }
  const std::vector<int> first_cycle = {1,  2,  3, 4, 5, 6, 7, 8, 9, 10, 11, 12,
                                        11, 10, 9, 8, 7, 6, 5, 4, 3, 2,  1,  2};
  EXPECT_EQ(std::vector<int>(seen.begin(), seen.begin() + first_cycle.size()), first_cycle);
  for (std::size_t i = 1; i < seen.size(); ++i) {
    EXPECT_EQ(std::abs(seen[i] - seen[i - 1]), 1) << "at step " << i;
    EXPECT_GE(seen[i], 1);
    EXPECT_LE(seen[i], kLogoFrames);
  }
}

TEST(LogoAnimation, TurnsAtEitherEndWhateverDirectionItCameWith) {
  int direction = 1;
  EXPECT_EQ(NextLogoFrame(kLogoFrames, direction), kLogoFrames - 1);
  EXPECT_EQ(direction, -1);
  direction = -1;
  EXPECT_EQ(NextLogoFrame(1, direction), 2);
  EXPECT_EQ(direction, 1);
}

}  // namespace
}  // namespace kw
