// Cleanup owned by objects: a value saved and restored, and any action run on scope exit.
// Unwinding runs them too, so no catch-cleanup-rethrow block is needed around the work.
#pragma once

#include <exception>
#include <utility>

namespace vx {

// Saves a variable and puts the old value back when the scope ends.
template <typename T>
class TSaved {
 public:
  explicit TSaved(T& ref) : ref_(ref), old_(ref) {}
  TSaved(T& ref, T now) : ref_(ref), old_(ref) { ref_ = std::move(now); }
  ~TSaved() { ref_ = std::move(old_); }
  TSaved(const TSaved&) = delete;
  TSaved& operator=(const TSaved&) = delete;
  const T& Old() const { return old_; }

 private:
  T& ref_;
  T old_;
};

// Runs an action when the scope ends, unless dismissed. On a normal exit a failure of the
// action reaches the caller (an EndUpdate whose change handler throws); while another
// exception unwinds, that first failure is the one reported and the action's is dropped.
template <typename F>
class TScopeExit {
 public:
  explicit TScopeExit(F f) : f_(std::move(f)), unwinding_(std::uncaught_exceptions()) {}
  ~TScopeExit() noexcept(false) {
    if (!armed_) return;
    if (std::uncaught_exceptions() == unwinding_) {
      f_();
      return;
    }
    try {
      f_();
    } catch (...) {}
  }
  TScopeExit(const TScopeExit&) = delete;
  TScopeExit& operator=(const TScopeExit&) = delete;
  void Dismiss() { armed_ = false; }
  // Runs the action now, where the normal path needs it before the scope ends.
  void Run() {
    armed_ = false;
    f_();
  }

 private:
  F f_;
  int unwinding_;
  bool armed_ = true;
};

template <typename F>
TScopeExit<F> OnScopeExit(F f) {
  return TScopeExit<F>(std::move(f));
}

}  // namespace vx
