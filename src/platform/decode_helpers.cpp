#include "platform/decode_helpers.h"

#include <algorithm>

namespace kw::platform::archive {

void DecodeHelpers::Help() {
  std::unique_lock<std::mutex> lock(mutex_);
  while (!closed_) {
    const auto ready = std::find_if(posted_.begin(), posted_.end(),
                                    [](const Work* work) { return work->Ready(); });
    if (ready == posted_.end()) {
      work_.wait(lock);
      continue;
    }
    Work& work = **ready;
    ++work.helping_;
    lock.unlock();
    while (work.Step()) {
    }
    lock.lock();
    --work.helping_;
    left_.notify_all();
  }
}

void DecodeHelpers::Close() {
  std::lock_guard<std::mutex> lock(mutex_);
  closed_ = true;
  work_.notify_all();
}

bool DecodeHelpers::Post(Work& work) {
  std::lock_guard<std::mutex> lock(mutex_);
  if (closed_) return false;
  posted_.push_back(&work);
  work_.notify_all();
  return true;
}

void DecodeHelpers::Withdraw(Work& work) {
  std::unique_lock<std::mutex> lock(mutex_);
  posted_.erase(std::remove(posted_.begin(), posted_.end(), &work), posted_.end());
  left_.wait(lock, [&work] { return work.helping_ == 0; });
}

MembersAhead::MembersAhead(std::vector<bool> ahead, Check check, DecodeHelpers& helpers)
    : check_(std::move(check)), helpers_(helpers) {
  members_.reserve(ahead.size());
  for (bool may : ahead)
    members_.push_back(may ? State::kFree : State::kReader);
  posted_ = helpers_.Post(*this);
}

MembersAhead::~MembersAhead() {
  {
    std::lock_guard<std::mutex> lock(mutex_);
    closed_ = true;
  }
  // A helper still checking reads the archive, which the reader keeps open until then.
  if (posted_) helpers_.Withdraw(*this);
}

std::optional<std::size_t> MembersAhead::Claim() {
  while (next_ < members_.size() && members_[next_] != State::kFree)
    ++next_;
  if (closed_ || next_ == members_.size()) return std::nullopt;
  members_[next_] = State::kTaken;
  return next_++;
}

void MembersAhead::CheckClaimed(std::size_t index, std::unique_lock<std::mutex>& lock) {
  lock.unlock();
  const bool right = check_(index);
  lock.lock();
  members_[index] = right ? State::kRight : State::kWrong;
  checked_.notify_all();
}

std::optional<bool> MembersAhead::Take(std::size_t index) {
  std::unique_lock<std::mutex> lock(mutex_);
  for (;;) {
    State& member = members_[index];
    if (member != State::kTaken) {
      std::optional<bool> verdict;
      if (member == State::kRight || member == State::kWrong) verdict = member == State::kRight;
      member = State::kReader;
      return verdict;
    }
    // A helper checks it: the reader checks a member further on meanwhile, rather than wait
    // and then find the next one taken too.
    if (std::optional<std::size_t> other = Claim()) {
      CheckClaimed(*other, lock);
      continue;
    }
    checked_.wait(lock);
  }
}

bool MembersAhead::Step() {
  std::unique_lock<std::mutex> lock(mutex_);
  std::optional<std::size_t> index = Claim();
  if (!index) return false;
  CheckClaimed(*index, lock);
  return true;
}

bool MembersAhead::Ready() const {
  std::lock_guard<std::mutex> lock(mutex_);
  std::size_t at = next_;
  while (at < members_.size() && members_[at] != State::kFree)
    ++at;
  return !closed_ && at < members_.size();
}

}  // namespace kw::platform::archive
