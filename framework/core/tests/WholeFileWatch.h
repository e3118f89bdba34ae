// Another reader of a file while it is saved: a second thread opens the file by its name
// again and again, as another program would, and checks each time that the name opens
// and holds one of the texts the saves write, whole. (WholeFileWatch.cpp reads.)
#pragma once

#include <algorithm>
#include <atomic>
#include <functional>
#include <string>
#include <thread>
#include <vector>

namespace vx {

// What the watch saw: how often it looked, how often the name held no file, and how often
// it held something other than one of the texts.
struct TWatchResult {
  int checks = 0, missing = 0, torn = 0, saves = 0;
};

class TWholeFileWatch {
 public:
  TWholeFileWatch(std::string name, std::vector<std::string> texts)
      : name_(std::move(name)), texts_(std::move(texts)), thread_([this] { Run(); }) {}
  ~TWholeFileWatch() { Stop(); }
  TWholeFileWatch(const TWholeFileWatch&) = delete;
  TWholeFileWatch& operator=(const TWholeFileWatch&) = delete;

  int Checks() const { return checks_; }
  TWatchResult Stop() {
    stop_ = true;
    if (thread_.joinable()) thread_.join();
    TWatchResult r;
    r.checks = checks_;
    r.missing = missing_;
    r.torn = torn_;
    return r;
  }

 private:
  void Run() {
    std::string got;
    while (!stop_) {
      if (!Read(got))
        ++missing_;
      else if (std::find(texts_.begin(), texts_.end(), got) == texts_.end())
        ++torn_;
      ++checks_;
      // A pause between looks, as a reader leaves one: an open file cannot be replaced.
      std::this_thread::yield();
    }
  }

  // Reads the whole file by its name; false when the name opens no file.
  bool Read(std::string& got) const;

  const std::string name_;
  const std::vector<std::string> texts_;
  std::atomic<bool> stop_{false};
  std::atomic<int> checks_{0}, missing_{0}, torn_{0};
  std::thread thread_;  // last: starts once the rest is ready
};

// Two large texts of different lengths, each line saying which it is.
inline std::vector<std::string> TwoLargeTexts() {
  std::string a, b;
  while (a.size() < (1u << 20)) a += "<p>the old text of the document, line by line</p>\r\n";
  while (b.size() < (3u << 19)) b += "<p>the new text, longer than the old one and other</p>\r\n";
  return {a, b};
}

// Saves the texts in turn over the file (which holds texts[0] to begin with) while a
// watch reads it, until the watch has looked `checks` times; save(i) writes texts[i].
inline TWatchResult SaveUnderWatch(const std::string& name, const std::vector<std::string>& texts, int checks,
                                   const std::function<void(size_t)>& save) {
  TWholeFileWatch watch(name, texts);
  int saves = 0;
  for (size_t i = 1; watch.Checks() < checks; i = (i + 1) % texts.size(), ++saves) save(i);
  TWatchResult r = watch.Stop();
  r.saves = saves;
  return r;
}

}  // namespace vx
