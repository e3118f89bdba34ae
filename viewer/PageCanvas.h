// A page's text drawn grouped by font: a printer's driver sends the font again whenever
// text follows in another one, which costs more than all else on the page.
#pragma once

#include <algorithm>
#include <string>
#include <vector>

#include "viewer/ViewCanvas.h"

namespace vx {

// Runs of text wait and are drawn font by font. Where the order of two runs shows (their
// boxes meet and one is opaque, or their colours differ: an italic overhang over the next
// run, a background over the one before), the later one waits until the earlier ones are
// drawn. Anything else drawn over a waiting run has the runs drawn first, so what lies on
// top stays on top.
class TPageCanvas : public TViewCanvas {
 public:
  explicit TPageCanvas(TViewCanvas& c) : c_(c) {}
  THtMetrics Metrics(const TMyFont& f) override { return c_.Metrics(f); }
  int TextExtent(const TMyFont& f, const char* s, int n) override { return c_.TextExtent(f, s, n); }
  int TextFit(const TMyFont& f, const char* s, int n, int room) override { return c_.TextFit(f, s, n, room); }
  void TextOut(const TMyFont& f, THtColor color, int x, int baseline, const char* s, int n, THtColor back,
               const THtRect* clip) override {
    if (n <= 0) return;
    THtMetrics m = c_.Metrics(f);
    TRun r{f, color, back, x, baseline, std::string(s, static_cast<size_t>(n)), clip != nullptr,
           clip ? *clip : THtRect{}, {}, {}};
    // The extent holds the overhang; the box drawn over others is a pixel wider and higher.
    r.Ink = {x, baseline - m.Ascent, x + c_.TextExtent(f, s, n), baseline + m.Descent};
    r.Box = {r.Ink.Left, r.Ink.Top, r.Ink.Right + m.Overhang + 1, r.Ink.Bottom + 1};
    for (const TRun& w : runs_)
      if (Overlap(w.Ink, r.Ink) && (w.Back != htc::None || r.Back != htc::None || w.Color != r.Color)) {
        Flush();
        break;
      }
    runs_.push_back(std::move(r));
  }
  void FillRect(const THtRect& r, THtColor c) override {
    Before(r);
    c_.FillRect(r, c);
  }
  void Line(int x1, int y1, int x2, int y2, THtColor c) override {
    Before({std::min(x1, x2), std::min(y1, y2), std::max(x1, x2) + 1, std::max(y1, y2) + 1});
    c_.Line(x1, y1, x2, y2, c);
  }
  void Ellipse(const THtRect& r, THtColor pen, THtColor back) override {
    Before(r);
    c_.Ellipse(r, pen, back);
  }
  void FrameRect(const THtRect& r, THtColor c) override {
    Before(r);
    c_.FrameRect(r, c);
  }
  void FillAreaMinus(const THtRect& area, const std::vector<THtRect>& holes, THtColor c) override {
    Before(area, &holes);
    c_.FillAreaMinus(area, holes, c);
  }
  void DrawImage(const TViewImage& image, const TViewImage* mask, int x, int y, int w, int h, bool printing) override {
    Before({x, y, x + w, y + h});
    c_.DrawImage(image, mask, x, y, w, h, printing);
  }
  // Draws the waiting runs, font by font in the order the fonts came.
  void Flush() {
    std::vector<TRun> runs;
    runs.swap(runs_);
    std::vector<bool> drawn(runs.size(), false);
    for (size_t i = 0; i < runs.size(); ++i) {
      if (drawn[i]) continue;
      for (size_t j = i; j < runs.size(); ++j) {
        if (drawn[j] || !runs[j].Font.SameFace(runs[i].Font)) continue;
        const TRun& r = runs[j];
        c_.TextOut(r.Font, r.Color, r.X, r.Baseline, r.Text.data(), static_cast<int>(r.Text.size()), r.Back,
                   r.Clipped ? &r.Clip : nullptr);
        drawn[j] = true;
      }
    }
  }

 private:
  struct TRun {
    TMyFont Font;
    THtColor Color, Back;
    int X, Baseline;
    std::string Text;
    bool Clipped;
    THtRect Clip, Ink, Box;
  };
  static bool Overlap(const THtRect& a, const THtRect& b) {
    return a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom;
  }
  // Before drawing over the area (less the holes), the runs under it are drawn.
  void Before(const THtRect& area, const std::vector<THtRect>* holes = nullptr) {
    for (auto& r : runs_) {
      if (!Overlap(r.Box, area)) continue;
      bool inHole = false;
      if (holes)
        for (auto& h : *holes)
          if (r.Box.Left >= h.Left && r.Box.Right <= h.Right && r.Box.Top >= h.Top && r.Box.Bottom <= h.Bottom) {
            inHole = true;
            break;
          }
      if (!inHole) {
        Flush();
        return;
      }
    }
  }
  TViewCanvas& c_;
  std::vector<TRun> runs_;
};

}  // namespace vx
