// Documents built from the input's bytes: sections, runs, images, tables with any spans and
// sizes; each is laid out at several widths, painted, hit-tested, searched, copied, printed.
#include <cstddef>
#include <cstdint>

#include "viewer/tests/model_fakes.h"

using namespace vxt;

namespace {
struct Input {
  const uint8_t* p;
  size_t n, i = 0;
  int Byte() { return i < n ? p[i++] : 0; }
  int Int() {
    int v = Byte();
    v = v * 256 + Byte();
    return Byte() & 1 ? -v : v;
  }
  bool More() const { return i < n; }
  std::string Text() {
    std::string s;
    int len = Byte() % 24;
    for (int k = 0; k < len; ++k) s += static_cast<char>(Byte());
    return s;
  }
};

std::unique_ptr<TSectionBase> Section(Input& in, TSectionList& list, int depth);

void Fill(Input& in, TSection& s) {
  int ops = in.Byte() % 8;
  for (int k = 0; k < ops; ++k) {
    switch (in.Byte() % 5) {
      case 0: {
        TImageParams p;
        p.Src = in.Byte() & 1 ? "pic.gif" : "none.gif";
        p.HasSrc = true;
        const char* al[] = {"left", "right", "top", "middle", ""};
        p.Align = al[in.Byte() % 5];
        p.Width = in.Int();
        p.Height = in.Int();
        p.Alt = in.Text();
        p.HasAlt = !p.Alt.empty();
        s.AddImage(p);
        break;
      }
      case 1: {
        TMyFont f = Font12();
        f.Size = in.Byte();
        s.ChangeFont(f, static_cast<uint8_t>(in.Byte()), static_cast<uint8_t>(in.Byte() % 3));
        break;
      }
      case 2: s.SetClearMode(in.Byte() & 1 ? "left" : "right"); break;
      default: s.AppendText(in.Text());
    }
  }
}

std::unique_ptr<TSectionBase> Table(Input& in, TSectionList& list, int depth) {
  TTableParams p;
  p.Border = in.Byte() & 1;
  p.HasPadding = in.Byte() & 1;
  p.Padding = in.Int();
  p.HasSpacing = in.Byte() & 1;
  p.Spacing = in.Int();
  p.HasWidth = in.Byte() & 1;
  p.Width = in.Int();
  p.WidthPercent = in.Byte() & 1;
  auto t = std::make_unique<ThtmlTable>(&list, p);
  int rows = in.Byte() % 5;
  for (int r = 0; r < rows; ++r) {
    auto row = std::make_unique<TCellList>();
    int cells = in.Byte() % 6;
    for (int c = 0; c < cells; ++c) {
      auto cell = std::make_unique<TCellObj>(&list, static_cast<uint8_t>(in.Byte() % 3));
      cell->SetSpans(in.Byte() & 1 ? 2000000000 : in.Int(), in.Int());
      cell->SetWidth(in.Int(), in.Byte() & 1);
      int n = in.Byte() % 3;
      for (int k = 0; k < n; ++k) cell->Cell->Add(Section(in, list, depth + 1));
      row->Cells.push_back(std::move(cell));
    }
    t->AddRow(std::move(row));
  }
  t->TopCaption = in.Byte() & 1;
  return t;
}

std::unique_ptr<TSectionBase> Section(Input& in, TSectionList& list, int depth) {
  TMyFont f = Font12();
  f.Size = in.Byte() % 64;
  switch (in.Byte() % (depth > 6 ? 6 : 7)) {
    case 0: return std::make_unique<TParagraphSpace>(&list);
    case 1: return std::make_unique<THeadingSpace>(&list, in.Byte() % 9);
    case 2: return std::make_unique<THorzLine>(&list, in.Int(), in.Int(), in.Byte() & 1);
    case 3: return std::make_unique<TPage>(&list);
    case 4: {
      auto s = std::make_unique<TPreFormated>(&list, in.Byte() % 4, 1, nullptr, f, 0);
      s->AppendText(in.Text());
      return s;
    }
    case 5: {
      auto s = std::make_unique<TOListItem>(&list, in.Byte() % 8, static_cast<uint8_t>(in.Byte() % 4), nullptr, f, 0,
                                            in.Int());
      Fill(in, *s);
      return s;
    }
    default: return Table(in, list, depth);
  }
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
  Input in{data, size};
  FakeServices svc;
  svc.files["pic.gif"] = {37, 23};
  TSectionList list;
  list.ImageServices = &svc;
  list.ShowImages = in.Byte() & 1;
  list.ExpandSourceName = [](const std::string& s) { return s; };
  for (int k = 0; k < 40 && in.More(); ++k) {
    if (in.Byte() & 1) {
      auto s =
          std::make_unique<TSection>(&list, in.Byte() % 4, static_cast<uint8_t>(in.Byte() % 4), nullptr, Font12(), 0);
      Fill(in, *s);
      list.Add(std::move(s));
    } else {
      list.Add(Section(in, list, 0));
    }
  }
  FakeCanvas c;
  for (int width : {1, 120, 900}) {
    int widest = 0;
    int h = list.DoLayout(c, width, widest);
    list.SelB = 1;
    list.SelE = 300;
    list.Paint(c, {0, 0, width + 20, 1000}, 0, 10);
    TUrlTarget u;
    int a, b, x;
    for (int y = 0; y < h && y < 2000; y += 23) {
      list.UrlAtPoint(c, 10 + y % 200, y, u);
      list.CharIndexAtPoint(c, 10 + y % 200, y, a, b, x);
    }
    list.FindTextFrom(0, "a", false);
    list.SelectionText();
    c.ops.clear();
  }
  auto copy = list.CreateClone();
  copy->Printing = true;
  copy->PageHeight = 200;
  int widest = 0;
  copy->DoLayout(c, 400, widest);
  int y = 0;
  for (int page = 0; page < 100; ++page) {
    copy->Paint(c, {10, y, 400, y + 200}, 0, 10);
    c.ops.clear();
    int next = copy->PageBottom > y ? copy->PageBottom : y + 200;
    int top = 0;
    if (!copy->SectionAndLineAtY(next, top)) break;
    y = next;
  }
  return 0;
}
