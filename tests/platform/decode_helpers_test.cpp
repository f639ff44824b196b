#include "platform/decode_helpers.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <future>
#include <thread>

namespace kw::platform::archive {
namespace {

// A helper holds the reader's next member: the reader checks the members further on meanwhile,
// then takes each member's verdict in order; every member is checked once, and one that may
// not be checked ahead is left to the reader.
TEST(DecodeHelpersTest, TheReaderChecksFurtherOnWhileAHelperHoldsItsNextMember) {
  DecodeHelpers helpers;
  std::promise<void> helper_started, reader_done;
  std::shared_future<void> go_on = reader_done.get_future().share();
  std::mutex mutex;
  std::vector<std::pair<std::size_t, std::thread::id>> checks;
  const std::thread::id reader = std::this_thread::get_id();
  MembersAhead members(
      {true, true, false, true},
      [&](std::size_t index) {
        {
          std::lock_guard<std::mutex> lock(mutex);
          checks.emplace_back(index, std::this_thread::get_id());
        }
        if (index == 0) {
          helper_started.set_value();
          go_on.wait();  // until the reader has checked all it can
        }
        if (index == 3) reader_done.set_value();
        return index != 3;
      },
      helpers);
  std::thread helper([&helpers] { helpers.Help(); });
  helper_started.get_future().wait();

  EXPECT_EQ(members.Take(0), true);          // checked by the helper, waited for
  EXPECT_EQ(members.Take(1), true);          // checked by the reader meanwhile
  EXPECT_EQ(members.Take(2), std::nullopt);  // never checked ahead
  EXPECT_EQ(members.Take(3), false);         // found wrong
  helpers.Close();
  helper.join();
  ASSERT_EQ(checks.size(), 3u);
  EXPECT_EQ(checks[0].first, 0u);
  EXPECT_NE(checks[0].second, reader);
  EXPECT_EQ(checks[1], std::make_pair(std::size_t{1}, reader));
  EXPECT_EQ(checks[2], std::make_pair(std::size_t{3}, reader));
}

// Work taken back while a helper checks one of its members waits for that check to end: the
// archive it reads stays open until then.
TEST(DecodeHelpersTest, WorkIsTakenBackOnlyOnceTheHelperInsideItIsDone) {
  DecodeHelpers helpers;
  std::thread helper([&helpers] { helpers.Help(); });
  std::promise<void> started;
  std::atomic<bool> release{false};
  std::atomic<bool> finished{false};
  std::thread releaser;
  {
    MembersAhead members(
        {true, true},
        [&](std::size_t index) {
          if (index == 0) {
            started.set_value();
            while (!release)
              std::this_thread::yield();
            finished = true;
          }
          return true;
        },
        helpers);
    started.get_future().wait();
    releaser = std::thread([&release] {
      std::this_thread::sleep_for(std::chrono::milliseconds(20));
      release = true;
    });
  }  // the reader leaves without taking a verdict
  EXPECT_TRUE(finished);
  releaser.join();
  helpers.Close();
  helper.join();
}

// Without a helper (or once the helpers are closed) the reader decodes every member itself.
TEST(DecodeHelpersTest, WorkPostedToClosedHelpersIsLeftToItsReader) {
  DecodeHelpers helpers;
  helpers.Close();
  int checked = 0;
  MembersAhead members(
      {true, true}, [&](std::size_t) { return ++checked > 0; }, helpers);
  EXPECT_EQ(members.Take(0), std::nullopt);
  EXPECT_EQ(members.Take(1), std::nullopt);
  EXPECT_EQ(checked, 0);
  helpers.Help();  // returns at once
}

}  // namespace
}  // namespace kw::platform::archive
