// A drawing surface with fixed-pitch metrics that records what is drawn, fake pictures,
// image services and form widgets: the model's geometry is then plain arithmetic.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "viewer/HTMLSubs.h"

namespace vxt {
using namespace vx;

// Each character is Size/2 pixels wide; a font of size s is s + 4 high with descent 3.
class FakeCanvas : public TViewCanvas {
 public:
  struct Op {
    std::string kind, text;
    int x = 0, y = 0, x2 = 0, y2 = 0;
    THtColor color = 0, back = 0;
  };
  std::vector<Op> ops;
  std::function<void()> onMeasure;
  static int CharW(const TMyFont& f) { return std::max(1, f.Size / 2); }
  THtMetrics Metrics(const TMyFont& f) override {
    if (onMeasure) onMeasure();
    THtMetrics m;
    m.Height = f.Size + 4;
    m.Descent = 3;
    m.Ascent = m.Height - 3;
    return m;
  }
  int TextExtent(const TMyFont& f, const char*, int n) override { return n * CharW(f); }
  void TextOut(const TMyFont& f, THtColor color, int x, int baseline, const char* s, int n, THtColor back,
               const THtRect*) override {
    ops.push_back({"text", std::string(s, n), x, baseline, 0, 0, color, back});
  }
  void FillRect(const THtRect& r, THtColor c) override {
    ops.push_back({"fill", "", r.Left, r.Top, r.Right, r.Bottom, c});
  }
  void Line(int x1, int y1, int x2, int y2, THtColor c) override { ops.push_back({"line", "", x1, y1, x2, y2, c}); }
  void Ellipse(const THtRect& r, THtColor pen, THtColor back) override {
    ops.push_back({"ellipse", "", r.Left, r.Top, r.Right, r.Bottom, pen, back});
  }
  void FrameRect(const THtRect& r, THtColor c) override {
    ops.push_back({"frame", "", r.Left, r.Top, r.Right, r.Bottom, c});
  }
  void FillAreaMinus(const THtRect& r, const std::vector<THtRect>& holes, THtColor c) override {
    ops.push_back({"region", std::to_string(holes.size()), r.Left, r.Top, r.Right, r.Bottom, c});
  }
  void DrawImage(const TViewImage& img, const TViewImage* mask, int x, int y, int w, int h, bool printing) override {
    ops.push_back({"image", mask ? "masked" : "", x, y, x + w, y + h});
  }
  std::vector<Op> Of(const std::string& kind) const {
    std::vector<Op> r;
    for (auto& o : ops)
      if (o.kind == kind) r.push_back(o);
    return r;
  }
};

class FakeImage : public TViewImage {
 public:
  FakeImage(int w, int h) : w_(w), h_(h) {}
  int Width() const override { return w_; }
  int Height() const override { return h_; }

 private:
  int w_, h_;
};

class FakeServices : public TImageServices {
 public:
  std::map<std::string, std::pair<int, int>> files;  // name -> size
  std::vector<std::string> loads;
  TViewImagePtr err = std::make_shared<FakeImage>(16, 16), off = std::make_shared<FakeImage>(20, 22);
  TViewImagePtr LoadImageWithMask(const std::string& file, int& t, TViewImagePtr& mask) override {
    loads.push_back(file);
    auto it = files.find(file);
    if (it == files.end()) return nullptr;
    if (t) mask = std::make_shared<FakeImage>(it->second.first, it->second.second);
    return std::make_shared<FakeImage>(it->second.first, it->second.second);
  }
  TViewImagePtr MakeTransparencyMask(const TViewImage& b, bool, THtColor) override {
    return std::make_shared<FakeImage>(b.Width(), b.Height());
  }
  TViewImagePtr ErrorImage() override { return err; }
  TViewImagePtr OffImage() override { return off; }
};

class FakeWidget : public TFormWidget {
 public:
  explicit FakeWidget(TFormControlObj& o, const TWidgetInit& i) : owner(o), init(i), text(i.Text), checked(i.Checked) {}
  TFormControlObj& owner;
  TWidgetInit init;
  int l = 0, t = 0, w = 0, h = 0;
  bool visible = false;
  std::string text;
  bool checked;
  std::vector<std::string> items, lines;
  std::vector<bool> sel;
  int index = -1, top = 0;
  void SetBounds(int a, int b, int c, int d) override {
    l = a;
    t = b;
    w = c;
    h = d;
  }
  int Left() const override { return l; }
  int Top() const override { return t; }
  int Width() const override { return w; }
  int Height() const override { return h; }
  void SetClientSize(int a, int b) override {
    w = a + 4;
    h = b + 4;
  }
  void SetVisible(bool v) override { visible = v; }
  bool Visible() const override { return visible; }
  std::string Text() const override { return text; }
  void SetText(const std::string& s) override { text = s; }
  bool Checked() const override { return checked; }
  void SetChecked(bool c) override { checked = c; }
  void SetItems(const std::vector<std::string>& i) override {
    items = i;
    sel.assign(i.size(), false);
    index = -1;
  }
  int ItemCount() const override { return static_cast<int>(items.size()); }
  std::string Item(int i) const override { return items[i]; }
  bool Selected(int i) const override { return sel[i]; }
  void SetSelected(int i, bool s) override { sel[i] = s; }
  int ItemIndex() const override { return index; }
  void SetItemIndex(int i) override { index = i; }
  void SetTopIndex(int i) override { top = i; }
  std::vector<std::string> Lines() const override { return lines; }
  void SetLines(const std::vector<std::string>& l2) override { lines = l2; }
  void ResetCaret() override {}
  void MeasureA(int& aw, int& ah, bool) override {
    aw = 8;
    ah = 14;
  }
  int TextWidth(const std::string& s) override { return 8 * static_cast<int>(s.size()); }
};

class FakeWidgets : public TFormWidgetFactory {
 public:
  std::vector<FakeWidget*> made;
  std::unique_ptr<TFormWidget> Create(TFormControlObj& o, const TWidgetInit& i) override {
    auto w = std::make_unique<FakeWidget>(o, i);
    made.push_back(w.get());
    return w;
  }
};

inline TMyFont Font12() {
  TMyFont f;
  f.Size = 12;
  f.Color = 0;
  return f;
}

// A paragraph with the given text added to the list.
inline TSection* AddPara(TSectionList& list, const std::string& text, int level = 0) {
  auto s = std::make_unique<TSection>(&list, level, 1, nullptr, Font12(), 0);
  s->AppendText(text);
  TSection* r = s.get();
  list.Add(std::move(s));
  return r;
}

}  // namespace vxt
