// Scoped GDI handles: an object selected into a DC for a scope, a DC that is deleted or
// released, and an owned GDI object. Each restores or frees on scope exit, unwinding too.
#pragma once

#include "framework/win/WinApi.h"

#include <utility>

namespace vx {

// Selects an object into a DC and selects the previous one back at scope exit.
class TSelected {
 public:
  TSelected(HDC dc, HGDIOBJ obj) : dc_(dc), old_(obj ? SelectObject(dc, obj) : nullptr) {}
  ~TSelected() {
    if (old_) SelectObject(dc_, old_);
  }
  TSelected(const TSelected&) = delete;
  TSelected& operator=(const TSelected&) = delete;

 private:
  HDC dc_;
  HGDIOBJ old_;
};

// Selects a palette (SelectPalette, not SelectObject) for a scope.
class TSelectedPalette {
 public:
  TSelectedPalette(HDC dc, HPALETTE pal, bool background)
      : dc_(dc), old_(pal ? SelectPalette(dc, pal, background) : nullptr) {}
  ~TSelectedPalette() {
    if (old_) SelectPalette(dc_, old_, TRUE);
  }
  TSelectedPalette(const TSelectedPalette&) = delete;
  TSelectedPalette& operator=(const TSelectedPalette&) = delete;

 private:
  HDC dc_;
  HPALETTE old_;
};

// Saves the whole DC state (SaveDC) and restores it at scope exit.
class TSavedDC {
 public:
  explicit TSavedDC(HDC dc) : dc_(dc), id_(SaveDC(dc)) {}
  ~TSavedDC() {
    if (id_) RestoreDC(dc_, id_);
  }
  TSavedDC(const TSavedDC&) = delete;
  TSavedDC& operator=(const TSavedDC&) = delete;

 private:
  HDC dc_;
  int id_;
};

// A DC made by CreateDC or CreateCompatibleDC, deleted at scope exit.
class TOwnedDC {
 public:
  TOwnedDC() = default;
  explicit TOwnedDC(HDC dc) : dc_(dc) {}
  ~TOwnedDC() { Reset(); }
  TOwnedDC(TOwnedDC&& o) noexcept : dc_(std::exchange(o.dc_, nullptr)) {}
  TOwnedDC& operator=(TOwnedDC&& o) noexcept {
    if (this != &o) {
      Reset();
      dc_ = std::exchange(o.dc_, nullptr);
    }
    return *this;
  }
  HDC Get() const { return dc_; }
  operator HDC() const { return dc_; }
  explicit operator bool() const { return dc_ != nullptr; }
  HDC Release() { return std::exchange(dc_, nullptr); }
  void Reset(HDC dc = nullptr) {
    if (dc_) DeleteDC(dc_);
    dc_ = dc;
  }

 private:
  HDC dc_ = nullptr;
};

// A window's DC from GetDC or GetWindowDC, released at scope exit.
class TWindowDC {
 public:
  explicit TWindowDC(HWND wnd, bool whole = false) : wnd_(wnd), dc_(whole ? GetWindowDC(wnd) : GetDC(wnd)) {}
  ~TWindowDC() {
    if (dc_) ReleaseDC(wnd_, dc_);
  }
  TWindowDC(const TWindowDC&) = delete;
  TWindowDC& operator=(const TWindowDC&) = delete;
  HDC Get() const { return dc_; }
  operator HDC() const { return dc_; }

 private:
  HWND wnd_;
  HDC dc_;
};

// An owned GDI object (font, brush, pen, bitmap, region, palette), deleted at scope exit.
template <typename H>
class TGdiObject {
 public:
  TGdiObject() = default;
  explicit TGdiObject(H h) : h_(h) {}
  ~TGdiObject() { Reset(); }
  TGdiObject(TGdiObject&& o) noexcept : h_(std::exchange(o.h_, nullptr)) {}
  TGdiObject& operator=(TGdiObject&& o) noexcept {
    if (this != &o) {
      Reset();
      h_ = std::exchange(o.h_, nullptr);
    }
    return *this;
  }
  H Get() const { return h_; }
  operator H() const { return h_; }
  explicit operator bool() const { return h_ != nullptr; }
  H Release() { return std::exchange(h_, nullptr); }
  void Reset(H h = nullptr) {
    if (h_) DeleteObject(h_);
    h_ = h;
  }

 private:
  H h_ = nullptr;
};

using TOwnedFont = TGdiObject<HFONT>;
using TOwnedBrush = TGdiObject<HBRUSH>;
using TOwnedPen = TGdiObject<HPEN>;
using TOwnedBitmap = TGdiObject<HBITMAP>;
using TOwnedRgn = TGdiObject<HRGN>;
using TOwnedPalette = TGdiObject<HPALETTE>;

}  // namespace vx
