// The document builder over the scanner's symbols.
#include "viewer/ReadHTML.h"

#include <algorithm>
#include <bitset>

#include "framework/core/Scoped.h"
#include "viewer/HTMLAttribs.h"

namespace vx {

namespace {

using TSymSet = std::bitset<SymbolCount>;

TSymSet SymSet(std::initializer_list<THtmlSymbol> l) {
  TSymSet s;
  for (auto x : l) s.set(x);
  return s;
}

const int kPointSizes[2][7] = {{8, 10, 12, 14, 18, 24, 36}, {7, 8, 10, 12, 15, 20, 30}};
const int kHeadingSizes[6] = {24, 18, 15, 12, 10, 8};

const TSymSet kCellTerminators =
    SymSet({TableEndTag, TDTag, TDEndTag, TRTag, THTag, THEndTag, CaptionTag, CaptionEndTag});
const TSymSet kListEnds = SymSet({OLEndTag, ULEndTag, DirEndTag, MenuEndTag, DLEndTag, BlockQuoteEndTag});
const TSymSet kListStarts = SymSet({OLTag, ULTag, DirTag, MenuTag, DLTag});
// The symbols ParseInlineItem handles wherever body text may stand.
const TSymSet kCommon =
    SymSet({PTag,      PEndTag,     BTag,       BEndTag,       StrongTag,  StrongEndTag, ITag,        IEndTag,
            EmTag,     EmEndTag,    CiteTag,    CiteEndTag,    VarTag,     VarEndTag,    UTag,        UEndTag,
            SubTag,    SubEndTag,   SupTag,     SupEndTag,     BRTag,      HTag,         HEndTag,     TTTag,
            CodeTag,   KbdTag,      SampTag,    TTEndTag,      CodeEndTag, KbdEndTag,    SampEndTag,  FontEndTag,
            BigEndTag, SmallEndTag, AddressTag, AddressEndTag, CenterTag,  CenterEndTag, PreTag,      ImgTag,
            ATag,      AEndTag,     TextSym,    TableTag,      InputTag,   SelectTag,    TextAreaTag, TextAreaEndTag,
            FormTag,   FormEndTag,  FontTag,    BaseFontTag,   BigTag,     SmallTag,     MapTag,      PageTag});
const TSymSet kStyleTags = SymSet({BTag, BEndTag, StrongTag, StrongEndTag, ITag, IEndTag, EmTag, EmEndTag, CiteTag,
                                   CiteEndTag, VarTag, VarEndTag, UTag, UEndTag, SubTag, SubEndTag, SupTag, SupEndTag});

std::uint8_t AlignCode(const std::string& v, std::uint8_t dflt) {
  std::string a = HtLowerCase(TrimControlChars(v));
  if (a == "left") return 1;
  if (a == "center") return 2;
  if (a == "right") return 3;
  return dflt;
}

class THtmlBuilder {
 public:
  THtmlBuilder(TSectionList& list, TStrings* anchors) : list_(list), anchors_(anchors) {}

  THtmlScanner S;
  THtmlDocInfo Info;

  void Prepare();
  void RunHtml();
  void RunText();
  void Finish();

 private:
  // Sections and fonts.
  TCell* CurCell() { return cell_ ? cell_ : &list_; }
  TMyFont& Top() { return fonts_.back(); }
  bool PushFont();
  bool PushPreFont();
  void PopFont() {
    if (fonts_.size() > 1) fonts_.pop_back();
  }
  void CloseSection();
  void NewSection(std::uint8_t align);
  void NewPreSection();
  void EnsureSection();
  void FontChange() {
    if (section_) section_->ChangeFont(Top(), style_, vshift_);
  }
  const TUrlTarget* OpenLink() const { return linkOpen_ ? &link_ : nullptr; }
  void AddAnchor(const std::string& name);

  // Parsing.
  // The next symbol; text read up to a comment left open at the end is kept.
  void Next() {
    try {
      S.ScanSymbol();
    } catch (const EParseError&) {
      if (!S.Token.empty()) {
        EnsureSection();
        section_->AppendText(S.Token);
      }
      throw;
    }
  }
  void ParseBodyItems(const TSymSet& terms);
  void ParseInlineItem(const TSymSet& terms);
  void ParseTitleText();
  void ParseBaseTag();
  void DoBody();
  void DoHorzLine();
  void DoParagraphs();
  void DoBreak();
  void DoStyle(THtmlSymbol sy);
  void DoHeading();
  void DoHeadingEnd();
  void DoAnchorStart();
  void DoAnchorEnd();
  void DoImage();
  void DoInput();
  void DoSelect();
  void DoTextArea();
  void DoForm();
  bool ApplyFontTag(THtmlSymbol sy);
  bool ApplyBigSmall(THtmlSymbol sy);
  void DoMap();
  void ParseList(int level, THtmlSymbol sy, const TSymSet& terms);
  void ParseTable(const TSymSet& terms);
  void ParsePreformatted();
  void TextToSections();

  TSectionList& list_;
  TStrings* anchors_;
  TCell* cell_ = nullptr;
  std::unique_ptr<TSection> section_;
  std::vector<TMyFont> fonts_;
  std::uint8_t align_ = 1, style_ = 0, vshift_ = 0;
  int baseSize_ = 3;
  int level_ = 0;  // list level of new sections
  TUrlTarget link_;
  bool linkOpen_ = false, linkPushed_ = false;
  std::vector<bool> addressPushed_;
  ThtmlForm* form_ = nullptr;
  bool inPre_ = false;
  int listDepth_ = 0, tableDepth_ = 0;
};

void THtmlBuilder::Prepare() {
  cell_ = &list_;
  S.Preformatted = false;
  TMyFont base;
  base.Name = list_.FontName;
  base.Color = list_.FontColor;
  base.SetNominalSize(12, list_.FontSize);
  fonts_.assign(1, base);
  link_.Clear();
  linkOpen_ = linkPushed_ = false;
  baseSize_ = 3;
  Info = THtmlDocInfo();
  align_ = 1;
  style_ = 0;
  vshift_ = 0;
  form_ = nullptr;
  level_ = 0;
  section_ = std::make_unique<TSection>(&list_, 0, 1, nullptr, base, 0);
  S.Attributes.Clear();
}

void THtmlBuilder::RunHtml() {
  S.Start();
  S.ScanSymbol();
  ParseBodyItems(TSymSet());
}

void THtmlBuilder::RunText() {
  S.Start();
  TextToSections();
}

void THtmlBuilder::Finish() {
  S.Attributes.Clear();
  S.Preformatted = false;
  CloseSection();
  fonts_.clear();
  link_.Clear();
}

bool THtmlBuilder::PushFont() {
  if (static_cast<int>(fonts_.size()) >= kMaxFontStack) return false;
  fonts_.push_back(fonts_.back());
  return true;
}

// PRE and plain text are both set in the fixed-pitch font.
bool THtmlBuilder::PushPreFont() {
  if (!PushFont()) return false;
  Top().Name = list_.PreFontName;
  Top().SetNominalSize(10, list_.FontSize);
  Top().FixedPitch = true;
  return true;
}

void THtmlBuilder::CloseSection() {
  if (section_) CurCell()->Add(std::move(section_));
}

void THtmlBuilder::NewSection(std::uint8_t align) {
  CloseSection();
  vshift_ = 0;  // a new paragraph starts on the baseline
  if (inPre_)
    section_ = std::make_unique<TPreFormated>(&list_, level_, align, OpenLink(), Top(), style_);
  else
    section_ = std::make_unique<TSection>(&list_, level_, align, OpenLink(), Top(), style_);
}

void THtmlBuilder::NewPreSection() {
  CloseSection();
  vshift_ = 0;
  section_ = std::make_unique<TPreFormated>(&list_, level_, align_, OpenLink(), Top(), style_);
}

void THtmlBuilder::EnsureSection() {
  if (!section_) NewSection(align_);
}

void THtmlBuilder::AddAnchor(const std::string& name) {
  EnsureSection();
  if (anchors_) anchors_->AddObject(HtUpperCase(name), section_.get());
}

// ---------------------------------------------------------------- body
void THtmlBuilder::ParseBodyItems(const TSymSet& terms) {
  for (;;) {
    THtmlSymbol sy = S.Sy;
    switch (sy) {
      case EofSym: return;
      case BodyEndTag: Next(); return;
      case TitleTag: ParseTitleText(); break;
      case BodyTag:
        DoBody();
        Next();
        break;
      case BaseTag:
        ParseBaseTag();
        Next();
        break;
      case HRTag:
        DoHorzLine();
        Next();
        break;
      case BlockQuoteTag:
        CloseSection();
        ParseList(1, sy, terms);
        break;
      default:
        if (kListStarts[sy]) {
          ParseList(1, sy, terms);
        } else if (kCommon[sy]) {
          ParseInlineItem(terms);
        } else if (terms[sy]) {
          return;
        } else {
          Next();
        }
    }
  }
}

void THtmlBuilder::ParseTitleText() {
  Next();
  while (S.Sy == TextSym) {
    Info.Title += S.Token;
    Next();
  }
}

void THtmlBuilder::ParseBaseTag() {
  if (auto* a = S.Attributes.Find(HrefAttr)) Info.BaseHref = a->Name;
  if (auto* a = S.Attributes.Find(TargetAttr)) Info.BaseTarget = a->Name;
}

bool ReadColor(const TAttribute& a, THtColor& c) { return ReadColorValue(a.Name, c); }

void THtmlBuilder::DoBody() {
  // A BODY after content is ignored; text already read counts as content.
  if (!CurCell()->Empty() || (section_ && !section_->Buff.empty())) return;
  TSection* old = section_.get();  // made with the old colours, and empty
  for (const TAttribute& a : S.Attributes) {
    THtColor c = 0;
    switch (a.Which) {
      case TextAttr:
        if (ReadColor(a, c)) {
          Top().Color = c;
          list_.FontColor = c;
        }
        break;
      case LinkAttr:
        if (ReadColor(a, c)) list_.HotSpotColor = c;
        break;
      case BgColorAttr:
        if (ReadColor(a, c)) list_.SetBackgroundColor(c);
        break;
      case BackgroundAttr: list_.SetBackgroundImageName(a.Name); break;
      default: break;
    }
  }
  vshift_ = 0;
  auto fresh = std::make_unique<TSection>(&list_, level_, align_, OpenLink(), fonts_.front(), style_);
  // Anchors made before BODY now stand at the new section.
  if (anchors_ && old)
    for (int i = 0; i < anchors_->Count(); ++i)
      if (anchors_->Objects(i) == old) anchors_->SetObjects(i, fresh.get());
  section_ = std::move(fresh);
}

void THtmlBuilder::DoHorzLine() {
  CloseSection();
  CurCell()->Add(NewHorzLine(&list_, S.Attributes));
}

void THtmlBuilder::ParseInlineItem(const TSymSet& terms) {
  THtmlSymbol sy = S.Sy;
  if (kStyleTags[sy]) {
    DoStyle(sy);
    Next();
    return;
  }
  switch (sy) {
    case PTag:
    case PEndTag:
      DoParagraphs();  // leaves the symbol after the run
      return;
    case BRTag: DoBreak(); break;
    case HTag: DoHeading(); break;
    case HEndTag: DoHeadingEnd(); break;
    case TTTag:
    case CodeTag:
    case KbdTag:
    case SampTag:
      if (PushFont()) {
        Top().Name = list_.PreFontName;
        Top().SetNominalSize(10, list_.FontSize);
        Top().FixedPitch = true;
        FontChange();
      }
      break;
    case TTEndTag:
    case CodeEndTag:
    case KbdEndTag:
    case SampEndTag:
    case FontEndTag:
    case BigEndTag:
    case SmallEndTag:
      PopFont();
      FontChange();
      break;
    case AddressTag: {
      CloseSection();
      bool pushed = PushFont();
      if (pushed) Top().Style |= htItalic;
      addressPushed_.push_back(pushed);
      NewSection(align_);
      break;
    }
    case AddressEndTag: {
      CloseSection();
      bool pop = true;  // an unmatched end pops too, never below the base font
      if (!addressPushed_.empty()) {
        pop = addressPushed_.back();
        addressPushed_.pop_back();
      }
      if (pop) PopFont();
      break;
    }
    case CenterTag:
    case CenterEndTag:
      CloseSection();
      align_ = sy == CenterTag ? 2 : 1;
      NewSection(align_);
      break;
    case PreTag: ParsePreformatted(); return;
    case ImgTag: DoImage(); break;
    case ATag: DoAnchorStart(); break;
    case AEndTag: DoAnchorEnd(); break;
    case TextSym:
      EnsureSection();
      section_->AppendText(S.Token);
      break;
    case TableTag: ParseTable(terms); return;
    case InputTag: DoInput(); break;
    case SelectTag: DoSelect(); break;
    case TextAreaTag: DoTextArea(); break;
    case FormTag: DoForm(); break;
    case FormEndTag: form_ = nullptr; break;
    case FontTag:
    case BaseFontTag:
      if (ApplyFontTag(sy)) FontChange();
      break;
    case BigTag:
    case SmallTag:
      if (ApplyBigSmall(sy)) FontChange();
      break;
    case MapTag: DoMap(); break;
    case PageTag:
      CloseSection();
      CurCell()->Add(std::make_unique<TPage>(&list_));
      break;
    default:  // the end of TEXTAREA and anything unexpected
      break;
  }
  Next();
}

void THtmlBuilder::DoStyle(THtmlSymbol sy) {
  switch (sy) {
    case BTag:
    case StrongTag: style_ |= htBold; break;
    case BEndTag:
    case StrongEndTag: style_ &= ~htBold; break;
    case ITag:
    case EmTag:
    case CiteTag:
    case VarTag: style_ |= htItalic; break;
    case IEndTag:
    case EmEndTag:
    case CiteEndTag:
    case VarEndTag: style_ &= ~htItalic; break;
    case UTag: style_ |= htUnderline; break;
    case UEndTag: style_ &= ~htUnderline; break;
    case SubTag: vshift_ = 1; break;
    case SupTag: vshift_ = 2; break;
    case SubEndTag:
    case SupEndTag: vshift_ = 0; break;
    default: return;
  }
  FontChange();
}

void THtmlBuilder::DoParagraphs() {
  CloseSection();
  CurCell()->Add(std::make_unique<TParagraphSpace>(&list_));
  std::uint8_t a = align_;
  auto take = [&] {
    const TAttribute* t = S.Sy == PTag ? S.Attributes.Find(AlignAttr) : nullptr;
    a = t ? AlignCode(t->Name, align_) : align_;
  };
  take();
  S.SkipBlanks();
  Next();
  while (S.Sy == PTag || S.Sy == PEndTag) {
    take();
    S.SkipBlanks();
    Next();
  }
  NewSection(a);
}

void THtmlBuilder::DoBreak() {
  std::uint8_t a = align_;
  if (section_) {
    section_->MakeNonEmpty();  // an empty line keeps its height
    a = section_->Justification();
  }
  const TAttribute* clear = S.Attributes.Find(ClearAttr);
  std::string mode = clear ? clear->Name : std::string();
  CloseSection();
  NewSection(a);
  if (clear) section_->SetClearMode(mode);
}

void THtmlBuilder::DoHeading() {
  if (static_cast<int>(fonts_.size()) >= kMaxFontStack) return;
  int n = S.HeadingLevel;
  std::uint8_t a = align_;
  if (auto* t = S.Attributes.Find(AlignAttr)) a = AlignCode(t->Name, align_);
  CloseSection();
  PushFont();
  if (n >= 1 && n <= 6) {
    Top().SetNominalSize(kHeadingSizes[n - 1], list_.FontSize);
    Top().Style |= htBold;
  } else {
    Top().SetNominalSize(12, list_.FontSize);
  }
  CurCell()->Add(std::make_unique<THeadingSpace>(&list_, n));
  NewSection(a);
}

void THtmlBuilder::DoHeadingEnd() {
  if (fonts_.size() <= 1) return;
  CloseSection();
  CurCell()->Add(std::make_unique<THeadingSpace>(&list_, S.HeadingLevel));
  PopFont();
}

void THtmlBuilder::DoAnchorStart() {
  for (const TAttribute& a : S.Attributes) {
    if (a.Which == HrefAttr && !a.Name.empty()) {
      const TAttribute* t = S.Attributes.Find(TargetAttr);
      link_.Clear();
      link_.Url = a.Name;
      link_.HasUrl = true;
      if (t) {
        link_.Target = t->Name;
        link_.HasTarget = true;
      }
      // A link opened inside an open link keeps the one link font already pushed.
      if (!(linkOpen_ && linkPushed_)) {
        linkPushed_ = PushFont();
        if (linkPushed_) {
          Top().Style |= htUnderline;
          Top().Color = list_.HotSpotColor;
        }
      }
      linkOpen_ = true;
      if (section_) section_->HRef(true, Top(), &link_, style_, vshift_);
    } else if (a.Which == NameAttr && !a.Name.empty()) {
      AddAnchor(a.Name);
    }
  }
}

void THtmlBuilder::DoAnchorEnd() {
  if (!linkOpen_) return;
  link_.Clear();
  linkOpen_ = false;
  if (linkPushed_) PopFont();
  linkPushed_ = false;
  if (section_) section_->HRef(false, Top(), nullptr, style_, vshift_);
}

void THtmlBuilder::DoImage() {
  EnsureSection();
  section_->AddImage(ImageParamsOf(S.Attributes));
}

void THtmlBuilder::DoInput() {
  EnsureSection();
  section_->AddFormControl(TSection::ctInput, ControlParamsOf(S.Attributes), form_);
}

void THtmlBuilder::DoForm() { form_ = NewForm(&list_, S.Attributes); }

// Options up to the end of SELECT; the scanner is left just past it.
void THtmlBuilder::DoSelect() {
  EnsureSection();
  TFormControlObj* ctl = section_->AddFormControl(TSection::ctSelect, ControlParamsOf(S.Attributes), form_);
  auto* lb = dynamic_cast<TListBoxFormControlObj*>(ctl);
  bool pending = false, selected = false;
  std::string text, value;
  auto finish = [&] {
    if (!pending) return;
    pending = false;
    std::string t = TrimControlChars(text);
    if (!t.empty() && lb) lb->AddOption(t, value, selected);
  };
  Next();
  while (S.Sy != SelectEndTag && S.Sy != EofSym) {
    if (S.Sy == OptionTag || S.Sy == OptionEndTag) {
      finish();
      if (S.Sy == OptionTag) {
        pending = true;
        selected = S.Attributes.Find(SelectedAttr) != nullptr;
        const TAttribute* v = S.Attributes.Find(ValueAttr);
        value = v ? v->Name.substr(0, 80) : std::string();
        text.clear();
      }
    } else if (S.Sy == TextSym && pending) {
      text = (text + S.Token).substr(0, 80);
    }
    Next();
  }
  finish();
  if (ctl) ctl->ResetValue();
}

// The initial lines up to the end tag; the scanner is left just past its ">".
void THtmlBuilder::DoTextArea() {
  EnsureSection();
  auto* ta = dynamic_cast<TTextAreaFormControlObj*>(
      section_->AddFormControl(TSection::ctTextArea, ControlParamsOf(S.Attributes), form_));
  std::string line;
  S.ScanTextAreaSymbol();
  while (S.Sy != TextAreaEndTag && S.Sy != EofSym) {
    if (S.Sy == TextSym || S.Sy == UnknownTagSym) {
      line += S.Token;
    } else if (S.Sy == EolSym) {
      if (ta) ta->AddLine(line);
      line.clear();
    }
    S.ScanTextAreaSymbol();
  }
  while (S.Ch != '>' && S.Ch != EofChar) S.ReadCharSkipComments();
  if (S.Ch == '>') S.ReadCharSkipComments();
  if (!line.empty() && ta) ta->AddLine(line);
  if (ta) ta->ResetValue();
}

bool THtmlBuilder::ApplyFontTag(THtmlSymbol sy) {
  bool any = false, hasSize = false, hasColor = false, hasFace = false;
  int size = 3;
  THtColor color = 0;
  std::string face;
  for (const TAttribute& a : S.Attributes) {
    if (a.Which == SizeAttr) {
      int v = a.Value;
      if (a.Name.size() > 1 && (a.Name[0] == '+' || a.Name[0] == '-')) v += baseSize_;
      size = std::clamp(v, 1, 7);
      if (sy == BaseFontTag) baseSize_ = size;
      hasSize = any = true;
    } else if (a.Which == ColorAttr && sy == FontTag) {
      if (ReadColor(a, color)) hasColor = any = true;
    } else if (a.Which == FaceAttr && sy == FontTag && !a.Name.empty()) {
      face = a.Name.substr(0, 50);
      hasFace = any = true;
    }
  }
  if (!PushFont() || !any) return false;
  if (hasColor) Top().Color = color;
  if (hasSize) Top().SetNominalSize(kPointSizes[inPre_ ? 1 : 0][size - 1], list_.FontSize);
  if (hasFace) Top().Name = face;
  return true;
}

bool THtmlBuilder::ApplyBigSmall(THtmlSymbol sy) {
  const int* row = kPointSizes[0];
  int i = static_cast<int>(std::find(row, row + 7, Top().NominalSize) - row);
  int to;
  if (sy == BigTag && i <= 5)
    to = row[i + 1];
  else if (sy == SmallTag && i >= 1 && i <= 6)
    to = row[i - 1];
  else
    return false;
  if (!PushFont()) return false;
  Top().SetNominalSize(to, list_.FontSize);
  return true;
}

// Areas up to the end of MAP; the scanner is left just past it.
void THtmlBuilder::DoMap() {
  auto map = std::make_unique<TMapItem>();
  if (auto* n = S.Attributes.Find(NameAttr)) map->MapName = HtUpperCase(n->Name);
  Next();
  while (S.Sy != MapEndTag && S.Sy != EofSym) {
    if (S.Sy == AreaTag) map->AddArea(AreaParamsOf(S.Attributes));
    Next();
  }
  if (S.Sy == MapEndTag) list_.MapList.push_back(std::move(map));
}

// ---------------------------------------------------------------- lists and tables
void THtmlBuilder::ParseList(int level, THtmlSymbol sy, const TSymSet& terms) {
  if (listDepth_ >= kMaxListNesting) {  // too deep: the opener is skipped
    Next();
    return;
  }
  TSaved<int> depth(listDepth_), savedLevel(level_);
  ++listDepth_;
  int number = 1;
  bool plain = false;
  if (sy == OLTag) {
    if (auto* a = S.Attributes.Find(StartAttr)) number = a->Value < 0 ? 1 : a->Value;
  } else if (sy == ULTag) {
    plain = S.Attributes.Find(PlainAttr) != nullptr;
  }
  bool bulleted = sy != OLTag;
  level_ = level;
  Next();
  if (kListEnds[S.Sy]) {
    // An empty list returns at once: the paragraph around it goes on.
    Next();
    return;
  }
  while (!kListEnds[S.Sy] && S.Sy != EofSym) {
    THtmlSymbol s = S.Sy;
    if (s == LITag) {
      CloseSection();
      level_ = level;
      vshift_ = 0;
      if (bulleted)
        section_ = std::make_unique<TUListItem>(&list_, level, align_, OpenLink(), Top(), style_, plain);
      else
        section_ = std::make_unique<TOListItem>(&list_, level, align_, OpenLink(), Top(), style_, number++);
      S.SkipBlanks();
      Next();
      if (S.Sy == PTag) {
        S.SkipBlanks();
        Next();
      }
    } else if (s == DDTag || s == DTTag) {
      CloseSection();
      level_ = s == DDTag ? level : level - 1;
      vshift_ = 0;
      section_ = std::make_unique<TDListItem>(&list_, level_, align_, OpenLink(), Top(), style_);
      Next();
    } else if (s == HRTag) {
      DoHorzLine();
      Next();
    } else if (kListStarts[s]) {
      ParseList(level + 1, s, terms);
    } else if (s == BlockQuoteTag) {
      CloseSection();
      ParseList(level + 1, s, terms);
    } else if (s == TableTag) {
      if (section_) section_->MakeNonEmpty();
      ParseTable(terms);
    } else if (kCommon[s]) {
      ParseInlineItem(terms);
    } else if (terms[s]) {
      break;  // the caller's terminator stays for the caller
    } else {
      Next();
    }
  }
  CloseSection();
  if (kListEnds[S.Sy]) Next();  // only an end tag is consumed
}

void THtmlBuilder::ParseTable(const TSymSet&) {
  if (tableDepth_ >= kMaxTableNesting) {
    Next();
    return;
  }
  TSaved<int> depth(tableDepth_), savedLevel(level_);
  TSaved<std::uint8_t> savedAlign(align_), savedStyle(style_);
  ++tableDepth_;
  CloseSection();
  TCell* enclosing = CurCell();
  cell_ = nullptr;
  level_ = 0;
  auto table = NewTable(&list_, S.Attributes, align_);
  auto row = std::make_unique<TCellList>();
  std::unique_ptr<TCellObj> open;
  std::uint8_t rowAlign = 0, rowVAlign = 1;
  bool rowStarted = false;  // a row is open: a TR or a cell came

  auto finishCell = [&] {
    if (!open) return;
    CloseSection();
    row->Cells.push_back(std::move(open));
    cell_ = nullptr;
  };
  // Whatever happens, what was built joins the enclosing cell: anchors may point into it.
  auto finishTable = [&] {
    finishCell();
    CloseSection();
    if (rowStarted) table->AddRow(std::move(row));
    cell_ = enclosing;
    enclosing->Add(std::move(table));
  };
  {
    // The table goes into its cell however the parse of its rows ends.
    auto done = OnScopeExit([&] { finishTable(); });
    Next();
    while (S.Sy != TableEndTag && S.Sy != EofSym) {
      switch (S.Sy) {
        case TextSym: {
          // Text outside the cells stands before the table.
          CloseSection();
          TCell* save = cell_;
          cell_ = enclosing;
          level_ = savedLevel.Old();
          ParseBodyItems(kCellTerminators);
          CloseSection();
          cell_ = save;
          level_ = 0;
          break;
        }
        case TDTag:
        case THTag: {
          finishCell();
          bool th = S.Sy == THTag;
          align_ = rowAlign ? rowAlign : (th ? 2 : 1);
          if (auto* a = S.Attributes.Find(AlignAttr)) align_ = AlignCode(a->Name, align_);
          if (th)
            style_ |= htBold;
          else
            style_ &= ~htBold;
          std::uint8_t valign = rowVAlign;
          if (auto* a = S.Attributes.Find(VAlignAttr)) {
            std::string v = HtLowerCase(a->Name);
            valign = v == "top" ? 0 : v == "middle" ? 1 : v == "bottom" ? 2 : rowVAlign;
          }
          open = NewCellObj(&list_, S.Attributes, valign);
          rowStarted = true;
          cell_ = open->Cell.get();
          Next();
          ParseBodyItems(kCellTerminators);
          break;
        }
        case TDEndTag:
        case THEndTag:
          finishCell();
          Next();
          break;
        case TRTag: {
          // Only the first TR before any cell just starts a row; a row without cells still
          // counts, for the cells that span down into it.
          if (rowStarted) {
            finishCell();
            table->AddRow(std::move(row));
            row = std::make_unique<TCellList>();
          }
          rowStarted = true;
          rowAlign = 0;
          if (auto* a = S.Attributes.Find(AlignAttr)) rowAlign = AlignCode(a->Name, 0);
          rowVAlign = 1;
          if (auto* a = S.Attributes.Find(VAlignAttr)) {
            std::string v = HtLowerCase(a->Name);
            rowVAlign = v == "top" ? 0 : v == "bottom" ? 2 : 1;
          }
          Next();
          break;
        }
        case CaptionTag: {
          finishCell();
          auto* a = S.Attributes.Find(AlignAttr);
          table->TopCaption = !(a && HtLowerCase(TrimControlChars(a->Name)) == "bottom");
          cell_ = table->Caption->Cell.get();
          align_ = 2;
          Next();
          ParseBodyItems(kCellTerminators);
          CloseSection();
          cell_ = nullptr;
          if (S.Sy == CaptionEndTag) Next();
          break;
        }
        default: Next();
      }
    }
  }
  Next();
}

// ---------------------------------------------------------------- PRE and plain text
void THtmlBuilder::ParsePreformatted() {
  CloseSection();
  bool pushed = PushPreFont();
  TSaved<bool> savedPre(inPre_);
  inPre_ = true;
  S.Preformatted = true;
  NewPreSection();
  std::string text;
  auto flush = [&] {
    if (text.empty()) return;
    EnsureSection();
    section_->AppendText(text);
    text.clear();
  };
  auto endLine = [&] {
    flush();
    NewPreSection();
  };
  bool afterBreak = false;
  try {
    for (;;) {
      char ch = S.Ch;
      if (ch == EofChar) break;
      if (ch == CrChar) {
        if (!afterBreak) endLine();
        afterBreak = false;
        S.ReadCharSkipComments();
        continue;
      }
      afterBreak = false;
      if (ch == '&') {
        S.ScanEntity();
        text += S.Token;
        continue;
      }
      if (ch != '<') {
        text += ch;
        if (text.size() > 200) flush();
        S.ReadCharSkipComments();
        continue;
      }
      S.ScanSymbol();  // a tag; the character loop goes on right after it
      THtmlSymbol sy = S.Sy;
      if (sy == PreEndTag || sy == EofSym) break;
      if (sy == PTag || sy == BRTag) {
        endLine();
        afterBreak = true;
        continue;
      }
      // Text collected so far belongs before whatever the tag does.
      flush();
      if (kStyleTags[sy]) {
        DoStyle(sy);
        continue;
      }
      switch (sy) {
        case ImgTag: DoImage(); break;
        case ATag: DoAnchorStart(); break;
        case AEndTag: DoAnchorEnd(); break;
        case InputTag: DoInput(); break;
        case SelectTag: DoSelect(); break;
        case FormTag: DoForm(); break;
        case FormEndTag: form_ = nullptr; break;
        case TextAreaTag: DoTextArea(); break;
        case FontTag:
        case BaseFontTag:
          if (ApplyFontTag(sy)) FontChange();
          break;
        case FontEndTag:
          PopFont();
          FontChange();
          break;
        case MapTag: DoMap(); break;
        default: break;  // every other tag is dropped
      }
    }
    flush();
  } catch (...) {
    flush();
    CloseSection();
    S.Preformatted = false;
    if (pushed) PopFont();
    throw;
  }
  CloseSection();
  S.Preformatted = false;
  inPre_ = savedPre.Old();
  if (pushed) PopFont();
  Next();
}

void THtmlBuilder::TextToSections() {
  CloseSection();
  bool pushed = PushPreFont();
  S.Preformatted = true;
  NewPreSection();
  std::string text;
  auto flush = [&] {
    if (!text.empty()) section_->AppendText(text);
    text.clear();
  };
  {
    // What was read before a failure is kept, and the scanner leaves preformatted mode.
    auto failed = OnScopeExit([&] {
      flush();
      S.Preformatted = false;
    });
    while (S.Ch != EofChar) {
      if (S.Ch == CrChar) {
        flush();
        NewPreSection();
      } else {
        text += S.Ch;
        if (text.size() > 200) flush();
      }
      S.ReadCharSkipComments();
    }
    failed.Dismiss();
  }
  flush();
  CloseSection();
  S.Preformatted = false;
  if (pushed) PopFont();
}

// ---------------------------------------------------------------- entries
template <class Open>
void RunHtmlParse(TSectionList& list, TStrings* anchors, THtmlDocInfo* info, bool swallow, Open open) {
  THtmlBuilder b(list, anchors);
  open(b.S);
  b.Prepare();
  // What was built before a failure is finished and described all the same.
  auto finish = OnScopeExit([&] {
    b.Finish();
    if (info) *info = b.Info;
  });
  try {
    b.RunHtml();
  } catch (const EParseError&) {
    if (!swallow) throw;
  }
}

template <class Open>
void RunTextParse(TSectionList& list, TStrings* anchors, bool swallow, Open open) {
  THtmlBuilder b(list, anchors);
  open(b.S);
  b.Prepare();
  auto finish = OnScopeExit([&] { b.Finish(); });
  try {
    b.RunText();
  } catch (const EParseError&) {
    if (!swallow) throw;
  }
}

}  // namespace

bool ReadColorValue(const std::string& text, THtColor& color) {
  THtColor c = 0;
  if (!ReadHtColor(text, c)) return false;
  color = (c & 0xFFFFFF) | htc::PaletteRelative;
  return true;
}

void ParseHtmlMemory(TSectionList& list, TStrings* anchors, const char* buffer, size_t length, THtmlDocInfo* info) {
  RunHtmlParse(list, anchors, info, false, [&](THtmlScanner& s) { s.OpenMemory(buffer, length); });
}

void ParseHtmlStrings(TSectionList& list, TStrings* anchors, const TStrings& strings, THtmlDocInfo* info) {
  RunHtmlParse(list, anchors, info, false, [&](THtmlScanner& s) { s.OpenStrings(strings); });
}

void ParseHtmlFile(TSectionList& list, TStrings* anchors, const std::string& fileName, THtmlDocInfo* info) {
  RunHtmlParse(list, anchors, info, true, [&](THtmlScanner& s) { s.OpenFile(fileName); });
}

void ParseTextFile(TSectionList& list, TStrings* anchors, const std::string& fileName) {
  RunTextParse(list, anchors, true, [&](THtmlScanner& s) { s.OpenFile(fileName); });
}

void ParseTextStrings(TSectionList& list, TStrings* anchors, const TStrings& strings) {
  RunTextParse(list, anchors, false, [&](THtmlScanner& s) { s.OpenStrings(strings); });
}

}  // namespace vx
