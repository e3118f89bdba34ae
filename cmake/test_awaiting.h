// What a test program waits for at this moment, so that a program stopped at its time
// limit says what never came (test_main.cpp's watchdog prints it).
#pragma once

#include <mutex>
#include <string>

namespace vx::testing {

struct TAwaitingNote {
  std::mutex lock;
  std::string test;  // Suite.Test running now
  std::string what;  // what it waits for, "" when it waits for nothing
  std::string last;  // the wait that ended last
};

inline TAwaitingNote& AwaitingNote() {
  static TAwaitingNote note;
  return note;
}

// Names what the test waits for while it lives; the previous note comes back after it.
class TAwaiting {
 public:
  explicit TAwaiting(std::string what) {
    TAwaitingNote& n = AwaitingNote();
    std::lock_guard<std::mutex> g(n.lock);
    saved_ = std::move(n.what);
    n.what = std::move(what);
  }
  ~TAwaiting() {
    TAwaitingNote& n = AwaitingNote();
    std::lock_guard<std::mutex> g(n.lock);
    n.last = std::move(n.what);
    n.what = std::move(saved_);
  }
  // The same wait, at a later step.
  void Update(std::string what) {
    TAwaitingNote& n = AwaitingNote();
    std::lock_guard<std::mutex> g(n.lock);
    n.what = std::move(what);
  }
  TAwaiting(const TAwaiting&) = delete;
  TAwaiting& operator=(const TAwaiting&) = delete;

 private:
  std::string saved_;
};

}  // namespace vx::testing
