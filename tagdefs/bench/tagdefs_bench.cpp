// Load speed of a generated 5 MB tag definition set, against reading the same file in the
// blocks the load reads it in, into the same kind of buffer (a fresh one of the block's
// size). Prints both rates and their ratio; the aim is a ratio of at least 1/3.
// Usage: tagdefs_bench [megabytes]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/core/SysUtils.h"
#include "tagdefs/teTagType.h"

using namespace vx;

namespace {

// Deterministic filler text that looks like the HTML of the help panes.
struct Words {
  unsigned state = 12345;
  unsigned Next() { return state = state * 1103515245u + 12345u; }
  AnsiString Text(size_t bytes) {
    static const char* const kWords[] = {"the",   "tag",   "inserts", "an",   "attribute", "value", "<b>",   "</b>",
                                         "image", "table", "browser", "text", "align",     "<i>",   "</i>",  "border",
                                         "width", "of",    "cell",    "<p>",  "and",       "link",  "frame", "colour"};
    AnsiString s = "<p>";
    while (s.size() < bytes) {
      s += kWords[(Next() >> 8) % (sizeof kWords / sizeof kWords[0])];
      s += ' ';
    }
    return s;
  }
};

size_t MakeSet(THTMLGroup& g, size_t target) {
  Words w;
  g.SetName("Generated benchmark set");
  g.SetGroupNames("Text\r\nLinks\r\nImages\r\nTables\r\nForms\r\nFrames\r\nLists\r\nHead");
  size_t approx = 0;
  for (int i = 0; approx < target; ++i) {
    auto* t = new THTMLTagDef;
    t->SetName("TAG" + IntToStr(i));
    t->SetEndTag("/TAG" + IntToStr(i));
    t->SetDescription(w.Text(400 + w.Next() % 1600));
    t->SetKind(static_cast<TTagKind>(i % 3));
    t->SetGroupIndex(i % 9 - 1);
    t->SetBrowsers(static_cast<TBrowserFlags>(i % 16));
    approx += t->Description().size() + 30;
    const int attrs = static_cast<int>(w.Next() % 12);
    for (int j = 0; j < attrs; ++j) {
      auto* a = new THTMLAttribDef;
      a->SetName("ATTR" + IntToStr(j));
      a->SetAttrType(static_cast<TAttribType>(j % 6));
      a->SetRequired(static_cast<TAttribRequired>(j % 3));
      if (a->AttrType() == atPickList) a->SetPickList("LEFT\r\nRIGHT\r\nCENTER\r\nJUSTIFY");
      if (a->AttrType() >= atFile) a->SetFilter("Gif Files (*.gif)|*.gif|JPeg Files (*.jpg)|*.jpg");
      if (a->Required() == arUnlessOther) a->SetOtherAttrib("ATTR0");
      a->SetDescription(w.Text(60 + w.Next() % 300));
      a->SetIsFlag(j % 7 == 6);
      a->SetBrowsers(static_cast<TBrowserFlags>(j % 16));
      approx += a->Description().size() + a->PickList().size() + a->Filter().size() + 25;
      t->Attribs().AddObject(a->Name(), a);
    }
    g.Tags().AddObject(t->Name(), t);
  }
  return approx;
}

double Seconds(std::chrono::steady_clock::duration d) { return std::chrono::duration<double>(d).count(); }

// The load reads through a block buffer of this size, made for each load.
constexpr int kLoadBlock = 64 * 1024;

// The file read as the load reads it, without the parsing: a whole file's worth of fresh
// memory would mostly time the system's page faults, which the load never meets.
int64_t ReadInBlocks(const AnsiString& file) {
  TFileStream f(file, fmOpenRead | fmShareDenyWrite);
  std::vector<uint8_t> buf(kLoadBlock);
  int64_t total = 0;
  for (int n; (n = f.Read(buf.data(), kLoadBlock)) > 0;) total += n;
  return total;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const double mb = argc > 1 ? std::atof(argv[1]) : 5.0;
    const AnsiString file = IncludeTrailingBackslash(GetCurrentDir()) + "tagdefs_bench.vxt";
    int tags = 0, attrs = 0;
    {
      THTMLGroup g;
      MakeSet(g, static_cast<size_t>(mb * 1024 * 1024));
      tags = g.Tags().Count();
      for (int i = 0; i < tags; ++i) attrs += g.TagAt(i)->Attribs().Count();
      g.SaveToFile(file);
    }
    int64_t size;
    {
      TFileStream f(file, fmOpenRead);
      size = f.Size();
    }
    std::printf("file: %.2f MB, %d tags, %d attributes\n", static_cast<double>(size) / 1048576.0, tags, attrs);

    using clock = std::chrono::steady_clock;
    const int rounds = 15;
    double raw = 1e9, load = 1e9, parse = 1e9, destroy = 1e9;
    TMemoryStream mem;
    mem.LoadFromFile(file);
    for (int r = 0; r < rounds; ++r) {
      auto t0 = clock::now();
      if (ReadInBlocks(file) != size) throw EReadError("Stream read error");
      auto t1 = clock::now();
      {
        THTMLGroup g;
        g.LoadFromFile(file);
        if (g.Tags().Count() != tags) throw Exception("load lost tags");
        auto t2 = clock::now();
        raw = std::min(raw, Seconds(t1 - t0));
        load = std::min(load, Seconds(t2 - t1));
      }
      {
        auto t3 = clock::now();
        auto g = std::make_unique<THTMLGroup>();
        mem.SetPosition(0);
        g->LoadFromStream(mem);
        auto t4 = clock::now();
        g.reset();
        auto t5 = clock::now();
        parse = std::min(parse, Seconds(t4 - t3));
        destroy = std::min(destroy, Seconds(t5 - t4));
      }
    }
    const double mbytes = static_cast<double>(size) / 1048576.0;
    std::printf("raw read (%d KB blocks, as the load reads): %8.1f MB/s  (%.2f ms)\n", kLoadBlock / 1024, mbytes / raw,
                raw * 1000);
    std::printf("LoadFromFile:                             %8.1f MB/s  (%.2f ms)\n", mbytes / load, load * 1000);
    std::printf("  of which parsing from memory: %.2f ms; freeing the set afterwards: %.2f ms\n", parse * 1000,
                destroy * 1000);
    std::printf("ratio load/raw: %.3f  (aim: at least 0.333) %s\n", raw / load,
                raw / load >= 1.0 / 3.0 ? "met" : "NOT met");
    DeleteFile(file);
    return 0;
  } catch (const Exception& e) {
    std::fprintf(stderr, "tagdefs_bench: %s\n", e.Message().c_str());
    return 1;
  }
}
