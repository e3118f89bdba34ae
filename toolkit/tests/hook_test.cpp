// Window hooks on real windows: order of the hooks, Handled, the destroy rule and the
// re-hook after the window was re-created.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/win/Forms.h"
#include "toolkit/ZxHook.h"
#include "toolkit/tests/forms_fixture.h"

namespace vx {
namespace {

constexpr UINT kProbe = WM_USER + 7;

// Counts what reaches the window's own procedure beneath the hooks.
struct Beneath {
  static inline int probes = 0;
  static inline WNDPROC original = nullptr;
  static LRESULT CALLBACK Proc(HWND w, UINT m, WPARAM wp, LPARAM lp) {
    if (m == kProbe) {
      ++probes;
      return 42;
    }
    return CallWindowProcA(original, w, m, wp, lp);
  }
};

class HookTest : public ::testing::Test {
 protected:
  void SetUp() override {
    form_ = new TForm(nullptr);
    form_->SetBounds(10, 10, 200, 150);
    form_->HandleNeeded();
  }
  void TearDown() override { form_->Free(); }

  // A hook that logs its passes under a tag and may mark the message handled.
  TZxWindowHook* MakeHook(const std::string& tag, bool handleBefore = false) {
    auto* h = new TZxWindowHook(form_);
    h->BeforeMessage = [this, tag, handleBefore](TObject*, TMessage& m, bool& handled) {
      if (m.Msg != kProbe) return;
      log_.push_back("before " + tag);
      if (handleBefore) {
        handled = true;
        m.Result = 7;
      }
    };
    h->AfterMessage = [this, tag](TObject*, TMessage& m, bool&) {
      if (m.Msg == kProbe) log_.push_back("after " + tag + " " + std::to_string(m.Result));
      if (m.Msg == WM_DESTROY) log_.push_back("destroy " + tag);
    };
    h->SetWinControl(form_);
    return h;
  }
  TForm* form_ = nullptr;
  std::vector<std::string> log_;
};

TEST_F(HookTest, LaterHookFirstAndBothSeeTheResult) {
  MakeHook("A");
  MakeHook("B");
  LRESULT r = SendMessageA(form_->Handle(), kProbe, 0, 0);
  EXPECT_EQ(r, 0);
  ASSERT_EQ(log_.size(), 4u);
  EXPECT_EQ(log_[0], "before B");
  EXPECT_EQ(log_[1], "before A");
  EXPECT_EQ(log_[2], "after B 0");
  EXPECT_EQ(log_[3], "after A 0");
}

TEST_F(HookTest, HandledStopsTheRestAndTheControl) {
  Beneath::probes = 0;
  HWND w = form_->Handle();
  Beneath::original =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Beneath::Proc)));
  MakeHook("A");
  MakeHook("B", true);
  EXPECT_EQ(SendMessageA(w, kProbe, 0, 0), 7);
  EXPECT_EQ(Beneath::probes, 0);
  ASSERT_EQ(log_.size(), 1u);
  EXPECT_EQ(log_[0], "before B");

  // Once B is gone the control answers again, and A sees its answer afterwards.
  log_.clear();
  for (int i = form_->ComponentCount() - 1; i >= 0; --i) {
    auto* h = dynamic_cast<TZxWindowHook*>(form_->Components(i));
    if (h) {
      h->Free();
      break;
    }
  }
  EXPECT_EQ(SendMessageA(w, kProbe, 0, 0), 42);
  EXPECT_EQ(Beneath::probes, 1);
  ASSERT_EQ(log_.size(), 2u);
  EXPECT_EQ(log_[0], "before A");
  EXPECT_EQ(log_[1], "after A 42");
}

TEST_F(HookTest, UnhookPutsBackTheRememberedProcedure) {
  HWND w = form_->Handle();
  LONG_PTR before = GetWindowLongPtrA(w, GWLP_WNDPROC);
  TZxWindowHook* h = MakeHook("A");
  EXPECT_TRUE(h->Active());
  EXPECT_NE(GetWindowLongPtrA(w, GWLP_WNDPROC), before);
  LONG_PTR ours = GetWindowLongPtrA(w, GWLP_WNDPROC);
  // Installing again changes nothing.
  h->HookControl();
  EXPECT_EQ(GetWindowLongPtrA(w, GWLP_WNDPROC), ours);
  h->SetActive(false);
  EXPECT_FALSE(h->Active());
  EXPECT_EQ(GetWindowLongPtrA(w, GWLP_WNDPROC), before);
  EXPECT_EQ(h->WinControl(), form_);
  h->SetActive(true);
  EXPECT_EQ(GetWindowLongPtrA(w, GWLP_WNDPROC), ours);
}

TEST_F(HookTest, UnhookUnderAnotherSubclassKeepsTheChain) {
  HWND w = form_->Handle();
  TZxWindowHook* h = MakeHook("A");
  Beneath::probes = 0;
  Beneath::original =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Beneath::Proc)));
  h->SetActive(false);
  // The later subclass stays in place and messages still reach the form beneath us.
  EXPECT_EQ(GetWindowLongPtrA(w, GWLP_WNDPROC), reinterpret_cast<LONG_PTR>(&Beneath::Proc));
  EXPECT_EQ(SendMessageA(w, kProbe, 0, 0), 42);
  EXPECT_EQ(SendMessageA(w, WM_GETTEXTLENGTH, 0, 0), GetWindowTextLengthA(w));
  log_.clear();
  h->SetActive(true);
  SendMessageA(w, kProbe, 0, 0);
  EXPECT_EQ(log_.size(), 0u);  // Beneath answers above us
  SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(Beneath::original));
  SendMessageA(w, kProbe, 0, 0);
  EXPECT_EQ(log_.size(), 2u);
}

TEST_F(HookTest, RecreatedWindowIsHookedAgainAfterThePostedMessage) {
  MakeHook("A");
  HWND old = form_->Handle();
  form_->RecreateWnd();
  form_->HandleNeeded();
  EXPECT_NE(std::find(log_.begin(), log_.end(), "destroy A"), log_.end());
  Pump();
  HWND now = form_->Handle();
  EXPECT_NE(now, old);
  log_.clear();
  SendMessageA(now, kProbe, 0, 0);
  ASSERT_EQ(log_.size(), 2u);
  EXPECT_EQ(log_[0], "before A");
}

TEST_F(HookTest, DestroyingTheControlReleasesItsHooks) {
  auto* other = new TForm(nullptr);
  other->HandleNeeded();
  TZxWindowHook* h = new TZxWindowHook(nullptr);
  h->AfterMessage = [](TObject*, TMessage&, bool&) {};
  h->SetWinControl(other);
  ASSERT_EQ(h->WinControl(), other);
  other->Free();
  Pump();
  EXPECT_EQ(h->WinControl(), nullptr);
  h->Free();
  Pump();
}

}  // namespace
}  // namespace vx

namespace vx {
namespace {

TEST_F(HookTest, ExceptionInAnEventGoesToTheApplicationAndTheMessageGoesOn) {
  std::vector<std::string> seen;
  auto saved = Application->OnException;
  Application->OnException = [&](TObject*, const std::exception& e) { seen.push_back(e.what()); };
  auto* h = new TZxWindowHook(form_);
  h->BeforeMessage = [](TObject*, TMessage& m, bool&) {
    if (m.Msg == kProbe) throw Exception("hook failed");
  };
  h->SetWinControl(form_);
  Beneath::probes = 0;
  HWND w = form_->Handle();
  h->SetActive(false);
  Beneath::original =
      reinterpret_cast<WNDPROC>(SetWindowLongPtrA(w, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&Beneath::Proc)));
  h->SetActive(true);
  EXPECT_EQ(SendMessageA(w, kProbe, 0, 0), 42);
  EXPECT_EQ(Beneath::probes, 1);
  ASSERT_EQ(seen.size(), 1u);
  EXPECT_EQ(seen[0], "hook failed");
  Application->OnException = saved;
}

}  // namespace
}  // namespace vx
