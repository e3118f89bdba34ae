#include "viewer/FrameDocument.h"

#include <functional>

#include "framework/core/Scoped.h"
#include "framework/core/SysUtils.h"

namespace vx {

namespace {

// The first of these means the document has a body.
bool BodyContent(THtmlSymbol s) {
  switch (s) {
    case BodyTag:
    case PTag:
    case HTag:
    case HRTag:
    case OLTag:
    case ULTag:
    case DirTag:
    case MenuTag:
    case DLTag:
    case AddressTag:
    case BlockQuoteTag:
    case PreTag:
    case ImgTag:
    case TableTag:
    case FormTag: return true;
    default: return false;
  }
}

class TFrameReader {
 public:
  THtmlScanner S;
  THtmlDocInfo Info;

  // Scans the head: true when a FRAMESET comes before body content (read into doc if given).
  bool Scan(TFrameDocument* doc, int budget) {
    doc_ = doc;
    budget_ = budget;
    S.Attributes.Clear();
    S.Start();
    S.ScanSymbol();
    bool found = false;
    while (S.Sy != EofSym && !BodyContent(S.Sy)) {
      switch (S.Sy) {
        case TitleTag:
          S.ScanSymbol();
          while (S.Sy == TextSym) {
            Info.Title += S.Token;
            S.ScanSymbol();
          }
          continue;
        case BaseTag:
          if (auto* a = S.Attributes.Find(HrefAttr)) Info.BaseHref = a->Name;
          if (auto* a = S.Attributes.Find(TargetAttr)) Info.BaseTarget = a->Name;
          break;
        case NoFramesTag: SkipNoFrames(); break;
        case FrameSetTag:
          if (!doc) return true;
          if (!found) ReadSet(doc->Root);
          found = true;
          break;
        default: break;
      }
      S.ScanSymbol();
    }
    return found;
  }

 private:
  TFrameDocument* doc_ = nullptr;
  int budget_ = 0;
  int depth_ = 0;

  void SkipNoFrames() {
    while (S.Sy != NoFramesEndTag && S.Sy != EofSym) S.ScanSymbol();
  }
  // Past a FRAMESET left out, to its own end.
  void SkipSet() {
    int open = 1;
    S.ScanSymbol();
    while (S.Sy != EofSym) {
      if (S.Sy == FrameSetTag) {
        ++open;
      } else if (S.Sy == FrameSetEndTag) {
        if (--open == 0) return;
      } else if (S.Sy == NoFramesTag) {
        SkipNoFrames();
      }
      S.ScanSymbol();
    }
  }
  // Room for one more piece in the set (the last place is kept for the note) and in the
  // budget, which keeps a place for the note of every set still open, a new set's included.
  bool Take(const TFrameSetSpec& set, bool nestedSet = false) {
    int open = depth_ + 1 + (nestedSet ? 1 : 0);
    if (static_cast<int>(set.Pieces.size()) >= kMaxFramesPerSet - 1 || doc_->Pieces + 1 + open > budget_)
      return false;
    ++doc_->Pieces;
    return true;
  }
  static TFramePiece Frame(const TAttributeList& a) {
    TFramePiece p;
    if (auto* n = a.Find(NameAttr)) p.Name = n->Name;
    if (auto* s = a.Find(SrcAttr)) p.Source = s->Name;
    p.NoResize = a.Find(NoResizeAttr) != nullptr;
    if (auto* s = a.Find(ScrollingAttr)) p.NoScroll = SameText(Trim(s->Name), "NO");
    return p;
  }
  void ReadSet(TFrameSetSpec& set) {
    doc_->Started = true;
    // ROWS is used alone even when COLS is also given.
    if (auto* rows = S.Attributes.Find(RowsAttr)) {
      set.OnRows = true;
      set.Entries = ParseSizeList(rows->Name);
    } else if (auto* cols = S.Attributes.Find(ColsAttr)) {
      set.Entries = ParseSizeList(cols->Name);
    }
    int omitted = 0;
    S.ScanSymbol();
    while (S.Sy != FrameSetEndTag && S.Sy != EofSym) {
      if (S.Sy == FrameSetTag) {
        // Deeper sets are read past as unknown tags, so no document exhausts the stack.
        if (depth_ < kMaxFrameSetNesting) {
          if (Take(set, true)) {
            TSaved<int> d(depth_, depth_ + 1);
            set.Pieces.emplace_back();
            set.Pieces.back().Set = std::make_unique<TFrameSetSpec>();
            ReadSet(*set.Pieces.back().Set);
          } else {
            ++omitted;
            SkipSet();
            if (S.Sy == EofSym) break;
          }
        }
      } else if (S.Sy == FrameTag) {
        if (Take(set))
          set.Pieces.push_back(Frame(S.Attributes));
        else
          ++omitted;
      } else if (S.Sy == NoFramesTag) {
        SkipNoFrames();
      }
      S.ScanSymbol();
    }
    if (omitted > 0) {
      set.Pieces.emplace_back();
      set.Pieces.back().Omitted = omitted;
      ++doc_->Pieces;
    }
    // Sizes beyond the pieces get empty frames, as far as the limits allow (this set's own
    // place for a note is free once it has none); the sizes left over are dropped. Pieces
    // beyond the written sizes take one share each.
    if (omitted == 0)
      while (set.Pieces.size() < set.Entries.size() && static_cast<int>(set.Pieces.size()) < kMaxFramesPerSet &&
             doc_->Pieces + 1 + depth_ <= budget_) {
        set.Pieces.emplace_back();
        ++doc_->Pieces;
      }
    set.Entries.resize(set.Pieces.size(), -1);
  }
};

void Read(TFrameDocument& doc, int budget, const std::function<void(THtmlScanner&)>& open) {
  TFrameReader r;
  open(r.S);
  auto keepInfo = OnScopeExit([&] { doc.Info = r.Info; });
  doc.Found = r.Scan(&doc, budget);
}

}  // namespace

void ReadFrameDocumentFile(const std::string& fileName, TFrameDocument& doc, int budget) {
  Read(doc, budget, [&](THtmlScanner& s) { s.OpenFile(fileName); });
}

void ReadFrameDocumentMemory(const char* buffer, size_t length, TFrameDocument& doc, int budget) {
  Read(doc, budget, [&](THtmlScanner& s) { s.OpenMemory(buffer, length); });
}

bool IsFramesetDocument(const std::string& fileName) {
  TFrameReader r;
  r.S.OpenFile(fileName);
  try {
    return r.Scan(nullptr, 0);
  } catch (const EParseError&) {
    return false;
  }
}

std::string OmittedFramesNote(int omitted) {
  return std::to_string(omitted) + (omitted == 1 ? " more frame is not shown" : " more frames are not shown");
}

}  // namespace vx
