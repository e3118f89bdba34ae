// VxTagEd as a person uses it: opening the shipped set, adding and copying tags, the tag
// and attribute dialogs, saving and the questions around it, the test command, the code
// sample editor and the help pages, each checked on the screen as well as in the set.
#include "tageditor/tests/tagedit_fixture.h"

#include <commctrl.h>

#include <algorithm>
#include <optional>
#include <set>

#include "framework/core/SysUtils.h"
#include "framework/core/tests/TestFiles.h"
#include "framework/win/GdiScoped.h"
#include "tagdefs/FilterEd.h"
#include "tagdefs/ParEd.h"
#include "tageditor/About.h"
#include "tageditor/AttrDef.h"
#include "tageditor/GenHelp.h"
#include "tageditor/NewTag.h"
#include "tageditor/SampEd.h"
#include "tageditor/TagDef.h"
#include "tageditor/TagEdRules.h"
#include "tageditor/TextEditors.h"
#include "tageditor/tests/SampleSet.h"
#include "framework/win/tests/ScreenDriver.h"

namespace vx {
namespace {

// A copy of the window's client area, as it is on the screen.
struct Capture {
  int w = 0, h = 0;
  TOwnedDC dc;
  TOwnedBitmap bmp;
  std::optional<TSelected> selected;
  explicit Capture(HWND window) {
    RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN);
    RECT r;
    GetClientRect(window, &r);
    w = r.right;
    h = r.bottom;
    TWindowDC src(window);
    dc.Reset(CreateCompatibleDC(src));
    bmp.Reset(CreateCompatibleBitmap(src, w, h));
    selected.emplace(dc, bmp);
    BitBlt(dc, 0, 0, w, h, src, 0, 0, SRCCOPY);
  }
  COLORREF At(int x, int y) const { return GetPixel(dc, x, y) & 0xFFFFFF; }
};

// standard.vxt with one change made through the model, written beside it.
std::string WriteVariant(const std::string& dir, const char* leaf, const std::function<void(THTMLGroup&)>& change) {
  THTMLGroup g;
  g.LoadFromFile(dir + "standard.vxt");
  change(g);
  g.SaveToFile(dir + leaf);
  return dir + leaf;
}

bool Sorted(const TStringList& l) {
  for (int i = 1; i < l.Count(); ++i)
    if (AnsiCompareText(l[i - 1], l[i]) > 0) return false;
  return true;
}

}  // namespace

TEST_F(TagEdTest, OpenShowsTheSetWithItsTagsDrawnAndDescribed) {
  EXPECT_EQ(main->Caption(), "VxPro HTML Tag Editor");
  EXPECT_FALSE(main->cmdSave->Enabled());
  EXPECT_FALSE(main->siSave->Enabled());
  EXPECT_FALSE(main->btnProperties->Enabled());
  EXPECT_FALSE(main->btnTest->Enabled());
  // The user may not resize or maximise the window.
  EXPECT_FALSE(GetWindowLongA(main->Handle(), GWL_STYLE) & WS_MAXIMIZEBOX);
  Open(dir + "standard.vxt");
  THTMLGroup* g = main->Group();
  ASSERT_GT(g->Tags().Count(), 10);
  EXPECT_EQ(main->Caption(), "VxPro HTML Tag Editor [" + dir + "standard.vxt]");
  EXPECT_EQ(main->eHTMLSpec->Text(), g->Name());
  EXPECT_EQ(main->lbTags->Items()->Count(), g->Tags().Count());
  EXPECT_EQ(main->lbTags->ItemIndex(), 0);
  EXPECT_FALSE(main->Modified());  // although filling the name edit changed the name
  EXPECT_FALSE(main->cmdSave->Enabled());
  EXPECT_TRUE(main->btnProperties->Enabled());
  EXPECT_TRUE(main->btnRemove->Enabled());
  EXPECT_TRUE(main->btnTest->Enabled());
  ExpectControlsInside(main);

  // A tag with attributes shows its description and its first attribute's.
  SelectTag("IMG");
  THTMLTagDef* img = g->FindTag("IMG");
  ASSERT_GT(img->Attribs().Count(), 2);
  EXPECT_EQ(main->lbAttributes->Items()->Count(), img->Attribs().Count());
  EXPECT_EQ(main->lbAttributes->ItemIndex(), 0);
  EXPECT_TRUE(main->btnAttrProperties->Enabled());
  EXPECT_GT(main->TagViewer->DocumentHeight(), 0);
  EXPECT_GT(main->AttrViewer->DocumentHeight(), 0);

  // Items are drawn as "<NAME>", and for a tag with an end tag that 120 pixels on.
  main->lbTags->SetTopIndex(0);
  main->lbTags->SetItemIndex(-1);
  Capture shot(main->lbTags->Handle());
  HFONT font = main->lbTags->Font()->Handle();
  int checked = 0;
  for (int i = 1; i < 6; ++i) {
    THTMLTagDef* t = g->TagAt(i);
    RECT r = main->lbTags->ItemRect(i);
    Capture expect(main->lbTags->Handle());
    RECT fill = r;
    FillRect(expect.dc, &fill, GetSysColorBrush(COLOR_WINDOW));
    {
      TSelected selectFont(expect.dc, font);
      SetBkMode(expect.dc, TRANSPARENT);
      SetTextColor(expect.dc, ColorToRGB(main->lbTags->Font()->Color()));
      std::string name = "<" + t->Name() + ">";
      TextOutA(expect.dc, r.left, r.top, name.c_str(), static_cast<int>(name.size()));
      if (t->Kind() != tkStandAlone) {
        std::string end = "...    <" + t->EndTag() + ">";
        TextOutA(expect.dc, r.left + 120, r.top, end.c_str(), static_cast<int>(end.size()));
      }
    }
    int diff = 0;
    for (int y = r.top; y < r.bottom; ++y)
      for (int x = r.left; x < std::min<int>(r.right, shot.w); ++x) diff += shot.At(x, y) != expect.At(x, y);
    EXPECT_EQ(diff, 0) << t->Name();
    ++checked;
  }
  EXPECT_EQ(checked, 5);
  SelectTag("IMG");
  Settle();
  // Into the program folder, which a kept session keeps (the work folder goes).
  SetCurrentDir(ExtractFilePath(Application->ExeName()));
  SaveScreen("VxTagEd-standard");
  SetCurrentDir(dir);
}

TEST_F(TagEdTest, AddRefusesADuplicateInAnyCaseAndOpensTheNewTag) {
  // A hand-made set may spell a name in lower case; the new name is typed in capitals.
  Open(WriteVariant(dir, "mixed.vxt", [](THTMLGroup& g) {
    auto* t = new THTMLTagDef;
    t->SetName("Blink");
    g.Tags().AddObject("Blink", t);
  }));
  int before = main->Group()->Tags().Count();
  std::vector<std::string> refused;
  Then<TfrmNewTag>([&](TfrmNewTag* d) {
    EXPECT_EQ(d->Caption(), "Add HTML Tag");
    EXPECT_EQ(d->cbTags->Items()->Count(), before);
    d->eTagName->SetFocus();
    Pump();
    TypeText("blink");
    EXPECT_EQ(d->eTagName->Text(), "BLINK");  // the edit takes capitals only
    ClickControl(d->btnOK);
    EXPECT_EQ(d->ModalResult(), mrNone);
    d->eTagName->SetText("");
    d->btnOKClick(d);
    EXPECT_EQ(d->ModalResult(), mrNone);
    refused = messages;
    d->eTagName->SetText("BLINKER");
    ClickControl(d->btnOK);
  });
  Then<TfrmTagDef>([&](TfrmTagDef* d) {
    EXPECT_EQ(d->Caption(), "Editing HTML Tag <BLINKER>");
    EXPECT_EQ(d->eEndTag->Text(), "/BLINKER");
    EXPECT_TRUE(d->rbPair->Checked());
    EXPECT_EQ(d->cbGroup->ItemIndex(), 0);
    ClickControl(d->rbBoth);
    ClickControl(d->cbNS);
    ClickControl(d->btnOK);
  });
  ClickControl(main->btnAdd);
  EXPECT_EQ(refused, (std::vector<std::string>{"Tagname BLINK is already defined", "Tagname  is already defined"}));
  EXPECT_TRUE(modals.empty());
  THTMLTagDef* t = main->Group()->FindTag("BLINKER");
  ASSERT_NE(t, nullptr);
  EXPECT_EQ(main->Group()->Tags().Count(), before + 1);
  EXPECT_TRUE(Sorted(main->Group()->Tags()));
  EXPECT_EQ(t->Kind(), tkEither);
  EXPECT_EQ(t->EndTag(), "/BLINKER");
  EXPECT_EQ(t->Browsers(), bfNetscape3);
  EXPECT_EQ(t->GroupIndex(), 0);
  EXPECT_EQ(main->SelectedTag(), t);
  EXPECT_TRUE(main->Modified());
  EXPECT_TRUE(main->cmdSave->Enabled());
  EXPECT_TRUE(main->siSave->Enabled());
  // The focus is back in the main window after the dialogs.
  HWND focus = GetFocus();
  EXPECT_TRUE(focus == main->Handle() || IsChild(main->Handle(), focus));
}

TEST_F(TagEdTest, CopyTakesTheSourceTagAndTheChosenAttributesOnly) {
  Open(dir + "standard.vxt");
  THTMLTagDef* img = main->Group()->FindTag("IMG");
  ASSERT_NE(img, nullptr);
  int src = img->Attribs().IndexOf("SRC"), alt = img->Attribs().IndexOf("ALT");
  ASSERT_GE(src, 0);
  ASSERT_GE(alt, 0);
  Then<TfrmNewTag>([&](TfrmNewTag* d) {
    EXPECT_TRUE(d->Button1->Enabled());
    d->cbTags->SetItemIndex(d->cbTags->Items()->IndexOf("IMG"));
    d->cbTagsClick(d->cbTags);
    EXPECT_EQ(d->cbAttribs->Items()->Count(), img->Attribs().Count());
    d->cbAttribs->SetSelected(src, true);
    d->cbAttribs->SetSelected(alt, true);
    d->eTagName->SetText("PICTURE");
    ClickControl(d->Button1);
    EXPECT_EQ(d->ModalResult(), mrCopyTag);
  });
  Then<TfrmTagDef>([&](TfrmTagDef* d) { ClickControl(d->btnCancel); });
  ClickControl(main->btnAdd);
  THTMLTagDef* pic = main->Group()->FindTag("PICTURE");
  ASSERT_NE(pic, nullptr);
  EXPECT_EQ(pic->EndTag(), "/PICTURE");
  EXPECT_EQ(pic->Kind(), img->Kind());
  EXPECT_EQ(pic->Description(), img->Description());
  EXPECT_EQ(pic->GroupIndex(), img->GroupIndex());
  EXPECT_EQ(pic->Browsers(), img->Browsers());
  ASSERT_EQ(pic->Attribs().Count(), 2);
  for (int i = 0; i < 2; ++i) {
    const THTMLAttribDef* a = pic->AttribAt(i);
    const THTMLAttribDef* o = img->FindAttrib(a->Name());
    ASSERT_NE(o, nullptr);
    EXPECT_NE(a, o);
    EXPECT_EQ(a->Description(), o->Description());
    EXPECT_EQ(a->AttrType(), o->AttrType());
    EXPECT_EQ(a->Required(), o->Required());
    EXPECT_EQ(a->Filter(), o->Filter());
    EXPECT_EQ(a->PickList(), o->PickList());
  }
  EXPECT_EQ(main->lbAttributes->Items()->Count(), 2);

  // In an empty set there is nothing to copy from.
  answers = {IDNO};
  Menu(main->cmdNew);
  EXPECT_EQ(main->Group()->Tags().Count(), 0);
  Then<TfrmNewTag>([&](TfrmNewTag* d) {
    EXPECT_FALSE(d->Button1->Enabled());
    d->eTagName->SetText("X");
    d->Button1Click(d);
    EXPECT_EQ(d->ModalResult(), mrNone);
    ClickControl(d->btnCancel);
  });
  ClickControl(main->btnAdd);
  EXPECT_EQ(main->Group()->Tags().Count(), 0);
}

TEST_F(TagEdTest, TagDialogChangesAttributesAtOnceAndTheWindowFollowsEvenOnCancel) {
  Open(dir + "standard.vxt");
  SelectTag("IMG");
  THTMLTagDef* img = main->Group()->FindTag("IMG");
  int count = img->Attribs().Count();
  AnsiString first = img->Attribs()[0];
  std::vector<std::string> seen;
  AnsiString taken;
  Then<TfrmTagDef>([&](TfrmTagDef* d) {
    EXPECT_EQ(d->lbAttributes->Items()->Count(), count);
    EXPECT_TRUE(d->btnRemove->Enabled());
    ClickControl(d->btnRemove);  // the first, at once
    EXPECT_EQ(img->Attribs().Count(), count - 1);
    ClickControl(d->btnAdd);
    seen = messages;
    ClickControl(d->btnCancel);
  });
  Then<TfrmNewAttr>([&](TfrmNewAttr* d) {
    d->btnOKClick(d);  // an empty name is refused
    EXPECT_EQ(d->ModalResult(), mrNone);
    taken = img->Attribs()[0];
    d->eAttrName->SetText(LowerCase(taken));  // any letter case
    d->btnOKClick(d);
    EXPECT_EQ(d->ModalResult(), mrNone);
    d->eAttrName->SetText("ZOOM");
    ClickControl(d->btnOK);
  });
  Then<TfrmAttrDef>([&](TfrmAttrDef* d) {
    EXPECT_EQ(d->Caption(), "Editing <IMG> Attribute ZOOM");
    EXPECT_EQ(d->cbOtherAttrib->Items()->IndexOf("ZOOM"), -1);
    EXPECT_EQ(d->cbOtherAttrib->Items()->Count(), count - 1);
    EXPECT_FALSE(d->cbOtherAttrib->Enabled());
    ClickControl(d->rbOther);
    EXPECT_TRUE(d->cbOtherAttrib->Enabled());
    EXPECT_TRUE(d->lblOther->Enabled());
    d->cbOtherAttrib->SetText("ALT");
    ClickControl(d->cbIsFlag);
    ClickControl(d->btnOK);
  });
  ClickControl(main->btnProperties);
  ASSERT_EQ(seen.size(), 2u);
  EXPECT_EQ(seen[0], "Attribute  is already defined");
  EXPECT_EQ(seen[1], "Attribute " + taken + " is already defined");
  EXPECT_EQ(img->FindAttrib(first), nullptr);
  THTMLAttribDef* zoom = img->FindAttrib("ZOOM");
  ASSERT_NE(zoom, nullptr);
  EXPECT_EQ(zoom->Required(), arUnlessOther);
  EXPECT_EQ(zoom->OtherAttrib(), "ALT");
  EXPECT_TRUE(zoom->IsFlag());
  EXPECT_EQ(zoom->PickList(), "TRUE");
  EXPECT_TRUE(Sorted(img->Attribs()));
  // Cancelled, yet the set changed: the window lists what the tag holds now.
  EXPECT_TRUE(main->Modified());
  ASSERT_EQ(main->lbAttributes->Items()->Count(), img->Attribs().Count());
  for (int i = 0; i < img->Attribs().Count(); ++i) {
    EXPECT_EQ(main->lbAttributes->Items()->Strings(i), img->Attribs()[i]);
    EXPECT_EQ(main->lbAttributes->Items()->Objects(i), img->AttribAt(i));
  }
}

TEST_F(TagEdTest, EndTagsStayFilledAndGroupsOutOfRangeStoreNone) {
  Open(WriteVariant(dir, "ranges.vxt", [](THTMLGroup& g) { g.FindTag("HR")->SetGroupIndex(99); }));
  THTMLTagDef* br = main->Group()->FindTag("BR");
  ASSERT_EQ(br->Kind(), tkStandAlone);
  SelectTag("BR");
  Then<TfrmTagDef>([&](TfrmTagDef* d) {
    EXPECT_TRUE(d->rbSingle->Checked());
    EXPECT_EQ(d->eEndTag->Text(), "");
    EXPECT_FALSE(d->eEndTag->Enabled());
    ClickControl(d->rbPair);
    EXPECT_EQ(d->eEndTag->Text(), "/BR");
    EXPECT_TRUE(d->eEndTag->Enabled());
    ClickControl(d->rbSingle);
    EXPECT_EQ(d->eEndTag->Text(), "");
    ClickControl(d->rbBoth);
    EXPECT_EQ(d->eEndTag->Text(), "/BR");
    EXPECT_TRUE(d->eEndTag->Enabled());
    ClickControl(d->btnOK);
  });
  ClickControl(main->btnProperties);
  EXPECT_EQ(br->Kind(), tkEither);
  EXPECT_EQ(br->EndTag(), "/BR");

  // A stand-alone tag keeps its empty end tag; a group beyond the names becomes none.
  THTMLTagDef* hr = main->Group()->FindTag("HR");
  SelectTag("HR");
  Then<TfrmTagDef>([&](TfrmTagDef* d) {
    EXPECT_EQ(d->cbGroup->ItemIndex(), -1);
    ClickControl(d->btnOK);
  });
  ClickControl(main->btnProperties);
  EXPECT_EQ(hr->Kind(), tkStandAlone);
  EXPECT_EQ(hr->EndTag(), "");
  EXPECT_EQ(hr->GroupIndex(), -1);
}

TEST_F(TagEdTest, PickListsFiltersFlagsAndGroupNames) {
  Open(dir + "standard.vxt");
  SelectTag("IMG");
  THTMLAttribDef* a = main->SelectedAttrib();
  ASSERT_NE(a, nullptr);
  Then<TfrmAttrDef>([&](TfrmAttrDef* d) {
    ClickControl(d->rbPickList);
    EXPECT_TRUE(d->btnPickList->Enabled());
    EXPECT_FALSE(d->btnFilter->Enabled());
    ClickControl(d->btnPickList);
    ClickControl(d->rbImage);
    EXPECT_FALSE(d->btnPickList->Enabled());
    EXPECT_TRUE(d->btnFilter->Enabled());
    ClickControl(d->btnFilter);
    ClickControl(d->rbPickList);
    ClickControl(d->btnOK);
  });
  Then<TfrmPickList>([&](TfrmPickList* d) {
    EXPECT_EQ(d->Caption(), "PickList Editor");
    d->SetText("right\r\nleft");
    EXPECT_EQ(d->Memo1->Text(), "RIGHT\r\nLEFT");
    d->Memo1->SetFocus();
    SendMessageA(d->Memo1->Handle(), EM_SETSEL, 0, 0);
    TypeText("center");
    SendKey(VK_RETURN);
    EXPECT_EQ(d->Memo1->Text(), "CENTER\r\nRIGHT\r\nLEFT");  // typed in capitals
    ClickControl(d->btnSort);
    ClickControl(d->btnOK);
  });
  Then<TfrmFilter>(
      [&](TfrmFilter* d) {
        d->SetFilter("Pictures|*.png");
        d->btnOK->Click();
      },
      false);  // the filter editor is the attribute editor's, laid out there
  ClickControl(main->btnAttrProperties);
  EXPECT_EQ(a->AttrType(), atPickList);
  EXPECT_EQ(a->PickList(), "CENTER\r\nLEFT\r\nRIGHT");
  EXPECT_EQ(a->Filter(), "Pictures|*.png");
  EXPECT_TRUE(main->Modified());

  // A flag keeps only TRUE, whatever the list held.
  Then<TfrmAttrDef>([&](TfrmAttrDef* d) {
    EXPECT_TRUE(d->rbPickList->Checked());
    EXPECT_TRUE(d->btnPickList->Enabled());
    ClickControl(d->cbIsFlag);
    ClickControl(d->btnOK);
  });
  ClickControl(main->btnAttrProperties);
  EXPECT_TRUE(a->IsFlag());
  EXPECT_EQ(a->PickList(), "TRUE");

  // Cancel leaves the attribute as it was.
  Then<TfrmAttrDef>([&](TfrmAttrDef* d) {
    ClickControl(d->rbText);
    ClickControl(d->btnCancel);
  });
  ClickControl(main->btnAttrProperties);
  EXPECT_EQ(a->AttrType(), atPickList);

  AnsiString names = main->Group()->GroupNames();
  Then<TfrmGroups>([&](TfrmGroups* d) {
    EXPECT_EQ(d->GetText(), names);
    d->SetText("Text Formatting\r\nLists");
    ClickControl(d->btnOK);
  });
  ClickControl(main->btnGroup);
  EXPECT_EQ(main->Group()->GroupNames(), "Text Formatting\r\nLists");
}

TEST_F(TagEdTest, SaveWritesASetThatReloadsByteForByte) {
  std::string name =
      WriteVariant(dir, "extra.vxt", [](THTMLGroup& g) { g.FindTag("P")->SetExtraText("kept as read"); });
  // Opened and saved unchanged, a file comes back as it was.
  Open(name);
  std::string original = ReadFileBytes(name);
  dialog = [&](TCommonDialog* d) {
    static_cast<TSaveDialog*>(d)->SetFileName(dir + "same.vxt");
    return true;
  };
  Menu(main->cmdSaveAs);
  EXPECT_EQ(ReadFileBytes(dir + "same.vxt"), original);
  EXPECT_EQ(main->FileName(), dir + "same.vxt");

  Then<TfrmNewTag>([&](TfrmNewTag* d) {
    d->eTagName->SetText("ZZTOP");
    ClickControl(d->btnOK);
  });
  Then<TfrmTagDef>([&](TfrmTagDef* d) { ClickControl(d->btnOK); });
  ClickControl(main->btnAdd);
  Then<TfrmGroups>([&](TfrmGroups* d) {
    d->SetText(d->GetText() + "\r\nExtras");
    ClickControl(d->btnOK);
  });
  ClickControl(main->btnGroup);
  ASSERT_TRUE(main->Modified());
  Menu(main->cmdSave);
  EXPECT_FALSE(main->Modified());
  std::string saved = ReadFileBytes(dir + "same.vxt");
  EXPECT_EQ(saved, SetBytes(*main->Group()));
  // VornixPro reads it with the same model: every tag, the extra text, the lookups.
  THTMLGroup again;
  again.LoadFromFile(dir + "same.vxt");
  EXPECT_EQ(SetBytes(again), saved);
  EXPECT_EQ(again.FindTag("P")->ExtraText(), "kept as read");
  EXPECT_NE(again.GetTagLookup().find("|<ZZTOP|"), std::string::npos);
  EXPECT_EQ(again.Tags().Count(), main->Group()->Tags().Count());
  EXPECT_EQ(ReadFileBytes(name), original);  // Save As left the first file alone
}

TEST_F(TagEdTest, ASaveToAFullDiskSaysWhichFileAndWhy) {
  std::string small = std::string("Z:") + VX_SMALL_DISK;
  std::replace(small.begin(), small.end(), '/', '\\');
  ULARGE_INTEGER total{};
  if (!GetDiskFreeSpaceExA((small + "\\").c_str(), nullptr, &total, nullptr) || total.QuadPart > (1u << 20))
    GTEST_SKIP() << "no small file system at " << small << " (mounting needs root)";
  Open(dir + "standard.vxt");
  // More than the small disk holds.
  main->Group()->TagAt(0)->SetDescription(std::string(200000, 'd'));
  const std::string full = small + "\\full.vxt";
  dialog = [&](TCommonDialog* d) {
    static_cast<TSaveDialog*>(d)->SetFileName(full);
    return true;
  };
  Menu(main->cmdSaveAs);
  dialog = nullptr;
  EXPECT_EQ(messages, (std::vector<std::string>{"Stream write error - " + full + ": the disk is full"}));
  EXPECT_EQ(main->FileName(), dir + "standard.vxt");  // still the set of the file it came from
  EXPECT_EQ(ReadFileBytes(full), "<missing>");
  // Nothing is left behind on the full disk.
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((small + "\\*.*").c_str(), &fd);
  int left = 0;
  for (BOOL more = h != INVALID_HANDLE_VALUE; more; more = FindNextFileA(h, &fd))
    if (fd.cFileName[0] != '.') ++left;
  if (h != INVALID_HANDLE_VALUE) FindClose(h);
  EXPECT_EQ(left, 0);
}

TEST_F(TagEdTest, SaveIsOfferedOnlyWhileModified) {
  Open(dir + "standard.vxt");
  EXPECT_FALSE(main->siSave->Enabled());
  main->eHTMLSpec->SetFocus();
  Pump();
  SendKey(VK_END);
  TypeText("x");
  EXPECT_TRUE(main->Modified());
  EXPECT_TRUE(main->cmdSave->Enabled());
  EXPECT_TRUE(main->siSave->Enabled());
  EXPECT_EQ(main->Group()->Name(), main->eHTMLSpec->Text());
  ClickControl(main->siSave->Button());
  EXPECT_FALSE(main->Modified());
  EXPECT_FALSE(main->cmdSave->Enabled());
  EXPECT_FALSE(main->siSave->Enabled());
  THTMLGroup g;
  g.LoadFromFile(dir + "standard.vxt");
  EXPECT_EQ(g.Name(), main->eHTMLSpec->Text());
}

TEST_F(TagEdTest, NewAsksFirstAndNeverWritesOverTheOldFile) {
  Open(dir + "standard.vxt");
  std::string original = ReadFileBytes(dir + "standard.vxt");
  AnsiString groups = main->Group()->GroupNames();
  main->eHTMLSpec->SetText("changed");
  answers = {IDCANCEL};
  ClickControl(main->siNew->Button());
  EXPECT_EQ(messages, (std::vector<std::string>{"Save changes before openning new definition ?"}));
  EXPECT_TRUE(main->Modified());
  EXPECT_GT(main->lbTags->Items()->Count(), 0);
  answers = {IDNO};
  Menu(main->cmdNew);
  EXPECT_EQ(main->Group()->Tags().Count(), 0);
  EXPECT_EQ(main->lbTags->Items()->Count(), 0);
  EXPECT_EQ(main->eHTMLSpec->Text(), "");
  EXPECT_EQ(main->Group()->GroupNames(), groups);
  EXPECT_FALSE(main->Modified());
  EXPECT_EQ(main->FileName(), "");
  EXPECT_FALSE(main->btnProperties->Enabled());
  // Save has nowhere to write the new set: it says so, and the old file stays.
  main->eHTMLSpec->SetText("new set");
  messages.clear();
  Menu(main->cmdSave);
  EXPECT_EQ(messages, (std::vector<std::string>{"Error : Could not find "}));
  EXPECT_EQ(ReadFileBytes(dir + "standard.vxt"), original);
  EXPECT_TRUE(main->Modified());

  // Open asks too; a save that cannot happen where the set came from offers Save As,
  // and cancelling that cancels the open.
  messages.clear();
  answers = {IDYES};
  int dialogs = 0;
  dialog = [&](TCommonDialog*) {
    ++dialogs;
    return false;
  };
  Menu(main->cmdOpen);
  EXPECT_EQ(messages, (std::vector<std::string>{"Save changes before openning new definition ?"}));
  EXPECT_EQ(dialogs, 1);  // the save dialog only
  EXPECT_TRUE(main->Modified());
  EXPECT_EQ(main->Group()->Name(), "new set");
  // Saved under a new name, the open goes on.
  answers = {IDYES};
  dialog = [&](TCommonDialog* d) {
    if (dynamic_cast<TSaveDialog*>(d))
      static_cast<TSaveDialog*>(d)->SetFileName(dir + "new.vxt");
    else
      static_cast<TOpenDialog*>(d)->SetFileName(dir + "standard.vxt");
    return true;
  };
  Menu(main->cmdOpen);
  EXPECT_EQ(main->FileName(), dir + "standard.vxt");
  EXPECT_FALSE(main->Modified());
  THTMLGroup saved;
  saved.LoadFromFile(dir + "new.vxt");
  EXPECT_EQ(saved.Name(), "new set");
}

TEST_F(TagEdTest, ClosingAsksAndAFailedSaveKeepsTheWindow) {
  Open(dir + "standard.vxt");
  main->eHTMLSpec->SetText("changed");
  answers = {IDCANCEL};
  Menu(main->cmdExit);
  EXPECT_FALSE(Application->Terminated());
  EXPECT_EQ(messages, (std::vector<std::string>{"Save changes before exiting ?"}));
  // The file went away meanwhile: said, then Save As, which the user cancels.
  DeleteFileA((dir + "standard.vxt").c_str());
  messages.clear();
  answers = {IDYES, IDOK};
  dialog = [](TCommonDialog*) { return false; };
  Menu(main->cmdExit);
  EXPECT_FALSE(Application->Terminated());
  EXPECT_TRUE(main->Modified());
  EXPECT_EQ(messages, (std::vector<std::string>{"Save changes before exiting ?",
                                                "Error : Could not find " + dir + "standard.vxt"}));
  // Saved somewhere new, the window closes; its placement goes to the INI file VxPro.
  answers = {IDYES, IDOK};
  dialog = [&](TCommonDialog* d) {
    static_cast<TSaveDialog*>(d)->SetFileName(dir + "rescued.vxt");
    return true;
  };
  Menu(main->cmdExit);
  EXPECT_TRUE(Application->Terminated());  // the main window closing ends the program
  THTMLGroup g;
  g.LoadFromFile(dir + "rescued.vxt");
  EXPECT_EQ(g.Name(), "changed");
  char win[MAX_PATH], value[64] = "";
  GetWindowsDirectoryA(win, MAX_PATH);
  GetPrivateProfileStringA("HTMLTags", "NormPos", "", value, sizeof value, (std::string(win) + "\\VxPro").c_str());
  EXPECT_STRNE(value, "");
}

namespace {

// What the window shows after a load: the caption, the tag list and the "HTML Specification"
// field, read from the real windows.
struct Shown {
  std::string caption, spec;
  int tags;
};
Shown OnScreen(TfrmMain* main) {
  char text[512] = "";
  Shown s;
  GetWindowTextA(main->Handle(), text, sizeof text);
  s.caption = text;
  GetWindowTextA(main->eHTMLSpec->Handle(), text, sizeof text);
  s.spec = text;
  s.tags = static_cast<int>(SendMessageA(main->lbTags->Handle(), LB_GETCOUNT, 0, 0));
  return s;
}

}  // namespace

TEST_F(TagEdTest, ALoadThatFailsLeavesTheEmptySetOfNoFileAndSaysWhichFile) {
  std::string whole = ReadFileBytes(dir + "standard.vxt");
  WriteBytes(dir + "cut.vxt", whole.substr(0, whole.size() / 2));
  std::string noise;
  for (unsigned i = 0, x = 12345; i < 4096; ++i) noise += static_cast<char>((x = x * 1103515245 + 12345) >> 16);
  noise[0] = 0x7F;  // no value type: the very first value is refused
  WriteBytes(dir + "random.vxt", noise);
  Open(dir + "standard.vxt");
  const AnsiString specName = main->Group()->Name();
  ASSERT_FALSE(specName.empty());
  // A file that is not there: reported, and nothing changes.
  int tags = main->Group()->Tags().Count();
  Open(dir + "missing.vxt");
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "Cannot open file " + dir + "missing.vxt");
  EXPECT_EQ(main->Group()->Tags().Count(), tags);
  EXPECT_EQ(main->FileName(), dir + "standard.vxt");
  EXPECT_EQ(OnScreen(main).tags, tags);

  // Cut off half way: the message names the file, and every field shows the empty set.
  Open(dir + "cut.vxt");
  ASSERT_EQ(messages.size(), 2u);
  EXPECT_EQ(messages[1], "Stream read error - " + dir + "cut.vxt");
  Shown shown = OnScreen(main);
  EXPECT_EQ(shown.caption, "VxPro HTML Tag Editor");
  EXPECT_EQ(shown.tags, 0);
  EXPECT_EQ(shown.spec, "");
  EXPECT_EQ(main->Group()->Tags().Count(), 0);
  EXPECT_EQ(main->Group()->GroupNames(), "");
  EXPECT_EQ(main->lbAttributes->Items()->Count(), 0);
  EXPECT_EQ(main->TagViewer->DocumentHeight(), 0);
  EXPECT_EQ(main->FileName(), "");
  EXPECT_FALSE(main->Modified());
  EXPECT_FALSE(main->btnProperties->Enabled());
  EXPECT_FALSE(main->btnTest->Enabled());
  SetCurrentDir(ExtractFilePath(Application->ExeName()));
  SaveScreen("VxTagEd-after-cut-file");
  SetCurrentDir(dir);

  // Random bytes after a good file: the previous file's "HTML Specification" text goes too.
  Open(dir + "standard.vxt");
  ASSERT_EQ(OnScreen(main).spec, specName);
  Open(dir + "random.vxt");
  ASSERT_EQ(messages.size(), 3u);
  EXPECT_EQ(messages[2], "Invalid property value - " + dir + "random.vxt");
  shown = OnScreen(main);
  EXPECT_EQ(shown.caption, "VxPro HTML Tag Editor");
  EXPECT_EQ(shown.tags, 0);
  EXPECT_EQ(shown.spec, "");
  EXPECT_EQ(main->Group()->Name(), "");

  // Save has nowhere to write: the file it came from is never overwritten.
  main->eHTMLSpec->SetText("part");
  Menu(main->cmdSave);
  EXPECT_EQ(messages.back(), "Error : Could not find ");
  EXPECT_EQ(ReadFileBytes(dir + "standard.vxt"), whole);
}

TEST_F(TagEdTest, TestShowsTheTagInTheAttributeEditor) {
  Open(dir + "standard.vxt");
  SelectTag("IMG");
  int rows = -1;
  Then<TfrmParEd>([&](TfrmParEd* d) {
    EXPECT_EQ(d->Caption(), "Editing HTML Tag <IMG>");
    rows = d->XGrid1->GridRows()->Count();
    EXPECT_FALSE(d->LowerCaseTags);
    ClickControl(d->btnCancel);
  });
  ClickControl(main->btnTest);
  EXPECT_EQ(rows, main->Group()->FindTag("IMG")->Attribs().Count());
  THTMLTagDef* bare = nullptr;
  for (int i = 0; i < main->Group()->Tags().Count() && !bare; ++i)
    if (main->Group()->TagAt(i)->Attribs().Count() == 0) bare = main->Group()->TagAt(i);
  ASSERT_NE(bare, nullptr);
  SelectTag(bare->Name().c_str());
  modalClasses.clear();
  ClickControl(main->btnTest);
  EXPECT_EQ(messages, (std::vector<std::string>{"No Attributes defined !"}));
  EXPECT_TRUE(modalClasses.empty());
}

TEST_F(TagEdTest, SampleEditorHighlightsPreviewsAndFormats) {
  Open(dir + "standard.vxt");
  SelectTag("B");
  THTMLTagDef* b = main->Group()->FindTag("B");
  Then<TfrmTagDef>([&](TfrmTagDef* d) {
    ClickControl(d->Button1);
    EXPECT_EQ(d->Description, "<I>new</I>");
    ClickControl(d->btnOK);
  });
  Then<TfrmSampEd>([&](TfrmSampEd* d) {
    EXPECT_EQ(d->GetText(), b->Description());
    EXPECT_EQ(d->Ledit->Syntax(), AnsiString("2\"\"002!-2->1&1;2</1>2gt2lt"));
    // Colours from a rendering of one word at a time: the seven tag words green, other
    // words black, strings navy, symbols green.
    auto colours = [&](const std::string& word) {
      d->SetText(word);
      Pump();
      const screen::TShot shot = screen::Painted(d->Ledit->Handle());
      std::set<TColor> found;
      for (int y = 0; y < std::min(20, shot.height); ++y)
        for (int x = 0; x < shot.width; ++x) found.insert(static_cast<TColor>(shot.At(x, y)));
      return found;
    };
    for (const char* word : {"<B", "<code", "<SUP"}) {
      auto c = colours(word);
      EXPECT_TRUE(c.count(clGreen)) << word;
      EXPECT_FALSE(c.count(clBlack)) << word;
    }
    for (const char* word : {"bold", "<BIG", "<Bx"}) {
      auto c = colours(word);
      EXPECT_TRUE(c.count(clBlack)) << word;
      EXPECT_FALSE(c.count(clGreen)) << word;
    }
    auto quoted = colours("\"qq\"");
    EXPECT_TRUE(quoted.count(clNavy));
    EXPECT_FALSE(quoted.count(clBlack));
    auto symbol = colours("&");
    EXPECT_TRUE(symbol.count(clGreen));
    EXPECT_FALSE(symbol.count(clBlack));
    d->SetText("<B>bold</B>");

    // The preview page renders the text; an emptied text leaves no old preview.
    RECT tab;
    SendMessageA(d->PageControl1->Handle(), TCM_GETITEMRECT, 1, reinterpret_cast<LPARAM>(&tab));
    POINT p{(tab.left + tab.right) / 2, (tab.top + tab.bottom) / 2};
    ClientToScreen(d->PageControl1->Handle(), &p);
    ClickScreen(p);
    EXPECT_EQ(d->PageControl1->ActivePage(), d->TabSheet2);
    EXPECT_GE(d->Viewer->FindText("bold"), 0);
    d->PageControl1->SetActivePage(d->TabSheet1);
    d->SetText("");
    ClickScreen(p);
    EXPECT_LT(d->Viewer->FindText("bold"), 0);
    d->PageControl1->SetActivePage(d->TabSheet1);

    // Format: the selection, or the whole text when nothing is selected.
    d->SetText("a<b>");
    ClickControl(d->btnFormat);
    EXPECT_EQ(d->GetText(), "a&lt;b&gt;");
    d->SetText("<I>new</I>");
    ClickControl(d->btnOK);
  });
  ClickControl(main->btnProperties);
  EXPECT_EQ(b->Description(), "<I>new</I>");
  EXPECT_TRUE(main->Modified());
  EXPECT_GE(main->TagViewer->FindText("new"), 0);
}

TEST_F(TagEdTest, HelpPagesGoIntoARelativeFolderAsTheGoldenFiles) {
  THTMLGroup sample;
  FillSampleSet(sample);
  sample.SaveToFile(dir + "help.vxt");
  Open(dir + "help.vxt");
  ASSERT_TRUE(SetCurrentDirectoryA(dir.c_str()));
  CreateDirectoryA((dir + "out").c_str(), nullptr);
  OpenFileMenu();
  EXPECT_TRUE(main->cmdGenerateHelp->Enabled());
  Then<TfrmGenHelp>([&](TfrmGenHelp* d) {
    EXPECT_EQ(d->Caption(), "Help Generator");
    d->DirectoryEdit1->SetText("not here");
    ClickControl(d->btnGenerateHelp);
    EXPECT_EQ(messages, (std::vector<std::string>{"Cannot find directory"}));
    d->DirectoryEdit1->SetText("out");
    ClickControl(d->btnGenerateHelp);
    EXPECT_EQ(d->ModalResult(), mrNone);  // the dialog stays open
    ClickControl(d->btnCancel);
  });
  Menu(main->cmdGenerateHelp);
  EXPECT_EQ(GetCurrentDir(), ExcludeTrailingBackslash(dir + "out"));
  std::string golden = std::string("Z:") + VX_GOLDEN_DIR + "/";
  std::replace(golden.begin(), golden.end(), '/', '\\');
  int files = 0;
  WIN32_FIND_DATAA fd;
  HANDLE h = FindFirstFileA((dir + "out\\*.htm").c_str(), &fd);
  for (BOOL more = h != INVALID_HANDLE_VALUE; more; more = FindNextFileA(h, &fd)) ++files;
  if (h != INVALID_HANDLE_VALUE) FindClose(h);
  EXPECT_EQ(files, 3);
  for (const char* page : {"text formatting.htm", "lists.htm", "index.htm"}) {
    std::string expect = ReadFileBytes(golden + page);
    ASSERT_NE(expect, "<missing>") << golden + page;
    EXPECT_EQ(ReadFileBytes(dir + "out\\" + page), expect) << page;
  }

  // A group name that climbs out of the folder still writes inside it.
  SetCurrentDirectoryA(dir.c_str());
  CreateDirectoryA((dir + "deep").c_str(), nullptr);
  main->Group()->SetGroupNames("..\\x\r\nLists");
  Then<TfrmGenHelp>([&](TfrmGenHelp* d) {
    d->DirectoryEdit1->SetText(dir + "deep");
    ClickControl(d->btnGenerateHelp);
    ClickControl(d->btnCancel);
  });
  Menu(main->cmdGenerateHelp);
  EXPECT_NE(ReadFileBytes(dir + "deep\\.._x.htm"), "<missing>");
  EXPECT_EQ(ReadFileBytes(dir + "x.htm"), "<missing>");
  EXPECT_NE(ReadFileBytes(dir + "deep\\index.htm").find("<A HREF=\".._x.htm#B\">"), std::string::npos);

  // Nothing to describe: the command is not offered.
  answers = {IDNO};
  Menu(main->cmdNew);
  OpenFileMenu();
  EXPECT_FALSE(main->cmdGenerateHelp->Enabled());
}

TEST_F(TagEdTest, HelpPagesForAnyGroupNameAndNoIndexOfAnotherRun) {
  THTMLGroup sample;
  FillSampleSet(sample);
  sample.SetGroupNames("Text Formatting\r\nBad:Name*?<>|\"x");
  sample.SaveToFile(dir + "hostile.vxt");
  Open(dir + "hostile.vxt");
  CreateDirectoryA((dir + "out").c_str(), nullptr);
  auto generate = [&] {
    Then<TfrmGenHelp>([&](TfrmGenHelp* d) {
      d->DirectoryEdit1->SetText(dir + "out");
      ClickControl(d->btnGenerateHelp);
      ClickControl(d->btnCancel);
    });
    Menu(main->cmdGenerateHelp);
  };
  // A name no Windows file can hold still gets its page, and the index links to it.
  generate();
  EXPECT_EQ(messages, std::vector<std::string>{});
  std::string page = ReadFileBytes(dir + "out\\bad_name______x.htm");
  EXPECT_NE(page.find("<TITLE>Bad:Name*?<>|\"x</TITLE>"), std::string::npos);
  std::string index = ReadFileBytes(dir + "out\\index.htm");
  EXPECT_NE(index.find("<H3>Bad:Name*?<>|\"x</H3>\r\n<A HREF=\"bad_name______x.htm#"), std::string::npos) << index;

  // A later run that cannot write a page says so, and leaves no index of the run before
  // beside its own pages.
  main->Group()->SetGroupNames("Lists\r\nText Formatting");
  DeleteFileA((dir + "out\\text formatting.htm").c_str());
  CreateDirectoryA((dir + "out\\text formatting.htm").c_str(), nullptr);  // in the way of that page
  DeleteFileA((dir + "out\\lists.htm").c_str());
  messages.clear();
  generate();
  ASSERT_EQ(messages.size(), 1u);
  EXPECT_EQ(messages[0], "Cannot create file " + dir + "out\\text formatting.htm");
  EXPECT_NE(ReadFileBytes(dir + "out\\lists.htm"), "<missing>");  // written before the failure
  EXPECT_EQ(ReadFileBytes(dir + "out\\index.htm"), "<missing>");
}

TEST_F(TagEdTest, AboutShowsTheMachinesMemory) {
  MEMORYSTATUSEX ms{};
  ms.dwLength = sizeof ms;
  GlobalMemoryStatusEx(&ms);
  AnsiString shown;
  Then<TfrmAbout>([&](TfrmAbout* d) {
    shown = d->lblMemAvail->Caption();
    EXPECT_EQ(d->lblVersion->Caption(), "Version 1.0 (Build 1)");
    ClickControl(d->btnOK);
  });
  Menu(main->cmdAbout);
  char sep[4] = ",";
  GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_STHOUSAND, sep, sizeof sep);
  EXPECT_EQ(shown, FormatKilobytes(ms.ullTotalPhys, sep[0]));
  EXPECT_GT(shown.size(), 4u);
}


// A window of another thread stands for another program on the same desktop: a dialog
// that closes gives the activation back to the window under it, never to that one.
namespace {
HWND StartOtherProgramWindow() {
  static HWND other = nullptr;
  HANDLE ready = CreateEventA(nullptr, TRUE, FALSE, nullptr);
  CreateThread(
      nullptr, 0,
      +[](LPVOID e) WINAPI -> DWORD {
        other = CreateWindowExA(0, "STATIC", "Other program", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 40, 40, 900, 700,
                                nullptr, nullptr, nullptr, nullptr);
        SetEvent(static_cast<HANDLE>(e));
        MSG m;
        while (GetMessageA(&m, nullptr, 0, 0) > 0) DispatchMessageA(&m);
        return 0;
      },
      ready, 0, nullptr);
  WaitForSingleObject(ready, 5000);
  CloseHandle(ready);
  return other;
}

// The window is the active one of the desktop, and the one under its centre.
::testing::AssertionResult InFront(HWND h) {
  RECT r;
  GetWindowRect(h, &r);
  HWND at = WindowFromPoint(POINT{(r.left + r.right) / 2, (r.top + r.bottom) / 2});
  if (GetForegroundWindow() == h && at && GetAncestor(at, GA_ROOT) == h) return ::testing::AssertionSuccess();
  return ::testing::AssertionFailure() << "foreground " << GetForegroundWindow() << ", under the centre " << at
                                       << ", wanted " << h;
}
}  // namespace

TEST_F(TagEdTest, EveryDialogThatClosesLeavesTheWindowUnderItInFront) {
  THTMLGroup sample;
  FillSampleSet(sample);
  sample.SaveToFile(dir + "front.vxt");
  Open(dir + "front.vxt");
  ASSERT_NE(StartOtherProgramWindow(), nullptr);
  Settle();
  SetForegroundWindow(main->Handle());
  Settle();
  for (int run = 0; run < 2; ++run) {
    Then<TfrmGenHelp>([&](TfrmGenHelp* d) { ClickControl(d->btnCancel); });
    Menu(main->cmdGenerateHelp);
    Settle();
    EXPECT_TRUE(InFront(main->Handle())) << "after the help generator, run " << run;
  }
  // Add, then the tag dialog straight after it, then an attribute's dialogs from there.
  Then<TfrmNewTag>([&](TfrmNewTag* d) {
    d->eTagName->SetText("FRONT");
    ClickControl(d->btnOK);
  });
  Then<TfrmTagDef>([&](TfrmTagDef* d) {
    Settle();
    EXPECT_TRUE(InFront(d->Handle())) << "the tag dialog after Add";
    ClickControl(d->Button1);
    Settle();
    EXPECT_TRUE(InFront(d->Handle())) << "after the sample editor";
    ClickControl(d->btnCancel);
  });
  Then<TfrmSampEd>([&](TfrmSampEd* d) { ClickControl(d->btnCancel); }, false);
  ClickControl(main->btnAdd);
  Settle();
  EXPECT_TRUE(InFront(main->Handle())) << "after the tag dialog";
  SelectTag("BR");
  ASSERT_NE(main->SelectedAttrib(), nullptr);
  Then<TfrmAttrDef>([&](TfrmAttrDef* d) {
    ClickControl(d->rbPickList);
    ClickControl(d->btnPickList);
    Settle();
    EXPECT_TRUE(InFront(d->Handle())) << "after the pick list";
    SaveScreen("tagedit_attribute_dialog_after_pick_list");
    ClickControl(d->Button4);
    Settle();
    EXPECT_TRUE(InFront(d->Handle())) << "after the sample editor";
    ClickControl(d->btnCancel);
  });
  Then<TfrmPickList>([&](TfrmPickList* d) { ClickControl(d->btnCancel); }, false);
  Then<TfrmSampEd>([&](TfrmSampEd* d) { ClickControl(d->btnCancel); }, false);
  ClickControl(main->btnAttrProperties);
  Settle();
  EXPECT_TRUE(modals.empty());
  EXPECT_TRUE(InFront(main->Handle())) << "after the attribute dialog";
}

}  // namespace vx
