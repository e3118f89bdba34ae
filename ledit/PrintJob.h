// One print job on a printer DC: the owner window disabled while the abort procedure lets
// messages through, an optional progress window with Cancel, and the end of the job.
// Leaving the scope in any way (an exception too) ends the job, removes the progress
// window and enables the owner again.
#pragma once

#include <windows.h>

#include <string>

namespace ledit {

class PrintJob {
 public:
  PrintJob(HWND owner, HDC dc, bool showProgress);
  ~PrintJob();
  PrintJob(const PrintJob&) = delete;
  PrintJob& operator=(const PrintJob&) = delete;

  bool Start(const std::string& title);
  // Counts the page and shows its number in the progress window.
  void NextPage();
  bool Cancelled() const;
  // The job printed completely; without this the destructor aborts it.
  void Finish();
  // The owner was destroyed while messages went through: nothing is enabled at the end.
  void OwnerGone() { ownerGone_ = true; }
  int Page() const { return page_; }

 private:
  HWND owner_;
  HDC dc_;
  int page_ = 0;
  bool finished_ = false;
  bool ownerGone_ = false;
};

}  // namespace ledit
