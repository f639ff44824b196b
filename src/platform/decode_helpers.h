// Threads with nothing else to read that help the threads still reading decode the members of
// their large archives, so that the last sets of a run, or a collection of a few large sets,
// keep every core busy. The reader still takes the members in the archive's order.
#pragma once

#include <condition_variable>
#include <cstdint>
#include <functional>
#include <mutex>
#include <optional>
#include <vector>

namespace kw::platform::archive {

class DecodeHelpers {
 public:
  // What a reading thread posts while it reads a large archive.
  class Work {
   public:
    virtual ~Work() = default;
    // Decodes one member for a helper; false when there is nothing for a helper now.
    virtual bool Step() = 0;
    // Whether Step would find a member to decode.
    virtual bool Ready() const = 0;

   private:
    friend class DecodeHelpers;
    int helping_ = 0;  // the helpers inside Step (under the board's mutex)
  };

  DecodeHelpers() = default;
  DecodeHelpers(const DecodeHelpers&) = delete;
  DecodeHelpers& operator=(const DecodeHelpers&) = delete;

  // Run by a thread with nothing else to read: helps with the work posted until Close.
  void Help();
  // Sends the helpers home; work posted later gets no help.
  void Close();

  // False (nothing posted) once closed.
  bool Post(Work& work);
  // Takes the work back, once no helper is inside it.
  void Withdraw(Work& work);

 private:
  std::mutex mutex_;
  std::condition_variable work_;  // work was posted, or the board closed
  std::condition_variable left_;  // a helper left a work
  std::vector<Work*> posted_;
  bool closed_ = false;
};

// The members of one archive that helpers check ahead of its reader (and that the reader
// checks itself further on while a helper holds its next member): each is decoded whole and
// found to have the size and CRC-32 its archive gives, or not. Nothing of their data is kept.
class MembersAhead final : public DecodeHelpers::Work {
 public:
  // Decodes member `index` whole: true when it has the size and CRC-32 its archive gives.
  using Check = std::function<bool(std::size_t index)>;
  // `ahead`: whether each member may be checked ahead.
  MembersAhead(std::vector<bool> ahead, Check check, DecodeHelpers& helpers);
  ~MembersAhead() override;

  // For the reader, member by member in order: the verdict on member `index` when it was
  // checked ahead; nothing when the reader is to check it itself.
  std::optional<bool> Take(std::size_t index);

  bool Step() override;
  bool Ready() const override;

 private:
  enum class State { kFree, kTaken, kRight, kWrong, kReader };
  // Claims the next free member (under the lock); none when there is none.
  std::optional<std::size_t> Claim();
  // Checks a claimed member and stores what came of it (takes and gives back the lock).
  void CheckClaimed(std::size_t index, std::unique_lock<std::mutex>& lock);

  std::vector<State> members_;
  Check check_;
  DecodeHelpers& helpers_;
  bool posted_ = false;
  mutable std::mutex mutex_;
  std::condition_variable checked_;
  std::size_t next_ = 0;  // no free member before it
  bool closed_ = false;
};

}  // namespace kw::platform::archive
