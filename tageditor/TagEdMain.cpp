#include "tageditor/TagEdMain.h"

#include <algorithm>

#include "framework/core/Exceptions.h"
#include "framework/core/Streams.h"
#include "framework/core/Scoped.h"
#include "framework/core/SysUtils.h"
#include "tagdefs/ParEd.h"
#include "tageditor/About.h"
#include "tageditor/AttrDef.h"
#include "tageditor/FormParts.h"
#include "tageditor/GenHelp.h"
#include "tageditor/NewTag.h"
#include "tageditor/TagDef.h"
#include "tageditor/TagEdRules.h"
#include "tageditor/TextEditors.h"

namespace vx {

const char* const TagEdTitle = "Vornix Pro HTML Tag Editor";
const char* const TagEdHelpFile = "vxprotag.hlp";

namespace {

const char* const kVxtFilter = "Vornix Pro HTML Tag Defs (*.vxt)|*.vxt";
const char* const kCaption = "VxPro HTML Tag Editor";

}  // namespace

#define VX_HANDLER(method) [this](TObject* s) { method(s); }

TfrmMain::TfrmMain(TComponent* owner) : TForm(owner) {
  SetName("frmMain");
  SetCaption(kCaption);
  SetPosition(poScreenCenter);
  CreateMenus();
  SetClientSize(620, 444);  // after the menu, which takes its own height from the window
  CreateSpeedBar();
  CreatePage();

  OpenDialog1 = new TOpenDialog(this);
  OpenDialog1->SetName("OpenDialog1");
  OpenDialog1->SetTitle("Open HTML Tag Definition");
  OpenDialog1->SetOptions(TOpenOptions{ofHideReadOnly, ofPathMustExist, ofFileMustExist});
  OpenDialog1->SetDefaultExt("vxt");
  OpenDialog1->SetFilter(kVxtFilter);
  SaveDialog1 = new TSaveDialog(this);
  SaveDialog1->SetName("SaveDialog1");
  SaveDialog1->SetTitle("Save HTML Tag Definition");
  SaveDialog1->SetOptions(TOpenOptions{ofOverwritePrompt, ofHideReadOnly});
  SaveDialog1->SetDefaultExt("vxt");
  SaveDialog1->SetFilter(kVxtFilter);

  FormStorage1 = new TFormStorage(this);
  FormStorage1->SetName("FormStorage1");
  FormStorage1->SetIniFileName("VxPro");
  FormStorage1->SetIniSection("HTMLTags");
  FormStorage1->SetPreventResize(true);

  OnCreate = VX_HANDLER(FormCreate);
  OnDestroy = VX_HANDLER(FormDestroy);
  OnCloseQuery = [this](TObject* s, bool& can) { FormCloseQuery(s, can); };
}

TfrmMain::~TfrmMain() = default;

void TfrmMain::CreateMenus() {
  MainMenu1 = new TMainMenu(this);
  MainMenu1->SetName("MainMenu1");
  cmdFile = MakeMenuItem(this, MainMenu1->Items(), "cmdFile", "&File", VX_HANDLER(cmdFileClick));
  cmdNew = MakeMenuItem(this, cmdFile, "cmdNew", "&New", VX_HANDLER(cmdNewClick));
  cmdOpen = MakeMenuItem(this, cmdFile, "cmdOpen", "&Open...", VX_HANDLER(cmdOpenClick));
  cmdSave = MakeMenuItem(this, cmdFile, "cmdSave", "Save", VX_HANDLER(cmdSaveClick));
  cmdSave->SetEnabled(false);
  cmdSaveAs = MakeMenuItem(this, cmdFile, "cmdSaveAs", "Save As", VX_HANDLER(cmdSaveAsClick));
  MakeMenuItem(this, cmdFile, "N1", "-");
  cmdGenerateHelp =
      MakeMenuItem(this, cmdFile, "cmdGenerateHelp", "&Generate Help...", VX_HANDLER(cmdGenerateHelpClick));
  MakeMenuItem(this, cmdFile, "N2", "-");
  cmdExit = MakeMenuItem(this, cmdFile, "cmdExit", "&Exit", VX_HANDLER(cmdExitClick));
  cmdHelp = MakeMenuItem(this, MainMenu1->Items(), "cmdHelp", "&Help");
  cmdContents = MakeMenuItem(this, cmdHelp, "cmdContents", "&Contents");
  MakeMenuItem(this, cmdHelp, "N3", "-");
  cmdAbout = MakeMenuItem(this, cmdHelp, "cmdAbout", "&About", VX_HANDLER(cmdAboutClick));
  SetMenu(MainMenu1);
}

void TfrmMain::CreateSpeedBar() {
  SpeedBar1 = new TSpeedBar(this);
  SpeedBar1->SetName("SpeedBar1");
  SpeedBar1->SetCaption("");
  SpeedBar1->SetParent(this);
  SpeedBar1->SetAlign(alTop);
  SpeedBar1->SetOptions(TSpeedbarOptions{sbFlatBtns, sbGrayedBtns});
  SpeedBar1->SetBtnOffsetHorz(3);
  SpeedBar1->SetBtnOffsetVert(2);
  SpeedBar1->SetHeight(SpeedBar1->BtnHeight() + 2 * 2 + 2);
  int x = SpeedBar1->BtnOffsetHorz();
  auto item = [&](int section, const char* name, const char* caption, const char* hint, TNotifyEvent click) {
    auto* i = new TSpeedItem(this);
    i->SetName(name);
    i->SetCaption(caption);
    i->SetHint(hint);
    TBitmap glyph;
    try {
      glyph.LoadFromResourceName(GetModuleHandleA(nullptr), name);
      i->SetGlyph(&glyph);
    } catch (const Exception&) {
      i->SetBtnCaption(caption);  // built without the glyphs: the button still says what it does
    }
    i->OnClick = std::move(click);
    SpeedBar1->AddItem(section, i);
    i->SetLeft(x);
    i->SetTop(SpeedBar1->BtnOffsetVert());
    i->SetVisible(true);
    x += SpeedBar1->BtnWidth();
    return i;
  };
  int file = SpeedBar1->AddSection("File");
  siNew = item(file, "siNew", "New", "Create new \r\nHTML definition", VX_HANDLER(cmdNewClick));
  siOpen = item(file, "siOpen", "Open", "Open HTML Definition", VX_HANDLER(cmdOpenClick));
  siSave = item(file, "siSave", "Save", "Save HTML Definitions", VX_HANDLER(cmdSaveClick));
  siSave->SetEnabled(false);
  siSaveAs =
      item(file, "siSaveAs", "Save As", "Save HTML tag definitions\r\nto a new file", VX_HANDLER(cmdSaveAsClick));
  x += 6;
  int help = SpeedBar1->AddSection("Help");
  siHelp = item(help, "siHelp", "Help", "Help", nullptr);
}

void TfrmMain::CreatePage() {
  const int top = SpeedBar1->Height();
  eHTMLSpec = MakeControl<TEdit>(this, this, "eHTMLSpec", 128, top + 8, 240, 21);
  eHTMLSpec->OnChange = VX_HANDLER(eHTMLSpecChange);
  Label1 = PlaceLabel(this, this, "Label1", "&HTML Specification:", 8, top + 12, eHTMLSpec);
  Label1->SetWidth(116);

  PageControl1 = MakeControl<TPageControl>(this, this, "PageControl1", 4, top + 36, 612, 444 - top - 40);
  TabSheet1 = AddSheet(this, PageControl1, "TabSheet1", "Tags and Attributes");

  GroupBox1 = PlaceGroup(this, TabSheet1, "GroupBox1", "Defined Tags", 4, 2, 312, 200);
  lbTags = MakeControl<TListBox>(this, GroupBox1, "lbTags", 8, 16, 216, 176);
  lbTags->SetStyle(lbOwnerDrawFixed);
  lbTags->OnDrawItem = [this](TWinControl* c, int i, RECT r, TOwnerDrawState st) { lbTagsDrawItem(c, i, r, st); };
  lbTags->OnClick = VX_HANDLER(lbTagsClick);
  lbTags->OnDblClick = VX_HANDLER(btnPropertiesClick);
  btnAdd = PlaceButton(this, GroupBox1, "btnAdd", "&Add...", 230, 16, 74);
  btnAdd->OnClick = VX_HANDLER(btnAddClick);
  btnProperties = PlaceButton(this, GroupBox1, "btnProperties", "&Properties", 230, 46, 74);
  btnProperties->OnClick = VX_HANDLER(btnPropertiesClick);
  btnRemove = PlaceButton(this, GroupBox1, "btnRemove", "&Remove", 230, 76, 74);
  btnRemove->OnClick = VX_HANDLER(btnRemoveClick);
  btnGroup = PlaceButton(this, GroupBox1, "btnGroup", "&Groups", 230, 106, 74);
  btnGroup->OnClick = VX_HANDLER(btnGroupClick);
  btnTest = MakeControl<TZxSpeedButton>(this, GroupBox1, "btnTest", 230, 140, 25, 25);
  btnTest->SetHint("Test Tag");
  btnTest->SetShowHint(true);
  SetButtonPicture(btnTest, "btnTest", "T");
  btnTest->OnClick = VX_HANDLER(btnTestClick);

  GroupBox2 = PlaceGroup(this, TabSheet1, "GroupBox2", "Tag Attributes", 4, 206, 312, 130);
  lbAttributes = MakeControl<TListBox>(this, GroupBox2, "lbAttributes", 8, 16, 216, 106);
  lbAttributes->OnClick = VX_HANDLER(lbAttributesClick);
  lbAttributes->OnDblClick = VX_HANDLER(btnAttrPropertiesClick);
  btnAttrProperties = PlaceButton(this, GroupBox2, "btnAttrProperties", "Prop&erties", 230, 16, 74);
  btnAttrProperties->OnClick = VX_HANDLER(btnAttrPropertiesClick);

  auto viewer = [this](TGroupBox* box, const char* name, int h) {
    auto* v = MakeControl<THTMLViewer>(this, box, name, 8, 16, 268, h);
    v->SetViewImages(false);
    v->SetDefFontName("Times New Roman");
    v->SetDefFontSize(10);
    v->SetDefPreFontName("Courier New");
    v->SetHistoryMaxCount(0);
    return v;
  };
  GroupBox3 = PlaceGroup(this, TabSheet1, "GroupBox3", "Tag Definition", 320, 2, 284, 200);
  TagViewer = viewer(GroupBox3, "TagViewer", 176);
  GroupBox4 = PlaceGroup(this, TabSheet1, "GroupBox4", "Attribute Definition", 320, 206, 284, 130);
  AttrViewer = viewer(GroupBox4, "AttrViewer", 106);

  EnableTagButtons(false);
  btnAttrProperties->SetEnabled(false);
}

void TfrmMain::FormCreate(TObject*) { group_ = std::make_unique<THTMLGroup>(); }

void TfrmMain::FormDestroy(TObject*) {
  // The lists hold pointers into the set: they go first.
  lbTags->Items()->Clear();
  lbAttributes->Items()->Clear();
  group_.reset();
}

// ---- state ---------------------------------------------------------------------------

namespace {
void ShowDescription(THTMLViewer* viewer, const AnsiString& text) {
  if (text.empty()) {
    viewer->Clear();
    return;
  }
  TStringList lines;
  lines.SetText(text);
  viewer->LoadFromStrings(lines);
}
}  // namespace

void TfrmMain::ShowTagDescription(const AnsiString& text) { ShowDescription(TagViewer, text); }

void TfrmMain::ShowAttrDescription(const AnsiString& text) { ShowDescription(AttrViewer, text); }

void TfrmMain::SetModified(bool value) {
  if (value == modified_) return;
  modified_ = value;
  cmdSave->SetEnabled(value);
  siSave->SetEnabled(value);
}

void TfrmMain::SetFileName(const AnsiString& name) {
  fileName_ = name;
  // A set of no file reads as the window did at start, not with an empty "[]".
  SetCaption(name.empty() ? AnsiString(kCaption) : Format("%s [%s]", kCaption, name.c_str()));
}

THTMLTagDef* TfrmMain::SelectedTag() {
  int i = lbTags->ItemIndex();
  return i >= 0 && i < lbTags->Items()->Count() ? static_cast<THTMLTagDef*>(lbTags->Items()->Objects(i)) : nullptr;
}

THTMLAttribDef* TfrmMain::SelectedAttrib() {
  int i = lbAttributes->ItemIndex();
  return i >= 0 && i < lbAttributes->Items()->Count() ? static_cast<THTMLAttribDef*>(lbAttributes->Items()->Objects(i))
                                                      : nullptr;
}

void TfrmMain::EnableTagButtons(bool enabled) {
  btnProperties->SetEnabled(enabled);
  btnRemove->SetEnabled(enabled);
  btnTest->SetEnabled(enabled);
}

void TfrmMain::FillTags() {
  lbTags->Items()->BeginUpdate();
  auto end = OnScopeExit([this] { lbTags->Items()->EndUpdate(); });
  lbTags->Items()->Clear();
  for (int i = 0; i < group_->Tags().Count(); ++i) lbTags->Items()->AddObject(group_->Tags()[i], group_->TagAt(i));
}

void TfrmMain::ShowLoadedSet() {
  eHTMLSpec->SetText(group_->Name());
  lbTags->Items()->Clear();
  lbAttributes->Items()->Clear();
  FillTags();
  if (group_->Tags().Count() == 0) {
    EnableTagButtons(false);
    btnAttrProperties->SetEnabled(false);
    ShowTagDescription("");
    ShowAttrDescription("");
  } else {
    EnableTagButtons(true);
    lbTags->SetItemIndex(0);
    lbTagsClick(lbTags);
  }
}

// ---- file commands ---------------------------------------------------------------------

bool TfrmMain::SaveBeforeLeaving() {
  if (!fileName_.empty() && FileExists(fileName_)) {
    try {
      group_->SaveToFile(fileName_);
      SetModified(false);
      return true;
    } catch (...) {
      Application->HandleException(this);
    }
  } else if (!fileName_.empty()) {
    MessageDlg("Error : Could not find " + fileName_, mtError, {mbOK}, 0);
  }
  // Not saved where it came from: a new file, or the changes stay and nothing goes on.
  try {
    cmdSaveAsClick(this);
  } catch (...) {
    Application->HandleException(this);
  }
  return !modified_;
}

bool TfrmMain::AskToSave(const AnsiString& question) {
  if (!modified_) return true;
  int answer = MessageDlg(question, mtConfirmation, mbYesNoCancel, 0);
  if (answer == mrCancel) return false;
  if (answer == mrYes) return SaveBeforeLeaving();
  return true;
}

void TfrmMain::cmdNewClick(TObject*) {
  // Asked as Open asks: New drops every tag.
  if (!AskToSave("Save changes before openning new definition ?")) return;
  group_->Clear();
  lbTags->Items()->Clear();
  lbAttributes->Items()->Clear();
  eHTMLSpec->SetText("");
  EnableTagButtons(false);
  btnAttrProperties->SetEnabled(false);
  ShowTagDescription("");
  ShowAttrDescription("");
  // The new set belongs to no file: Save must never write it over the last one.
  SetFileName("");
  SetModified(false);
}

void TfrmMain::cmdOpenClick(TObject*) {
  if (!AskToSave("Save changes before openning new definition ?")) return;
  if (!OpenDialog1->Execute()) return;
  AnsiString name = OpenDialog1->FileName();
  try {
    group_->LoadFromFile(name);
  } catch (const EFOpenError&) {
    Application->HandleException(this);  // nothing was read: the set and the window are as they were
    return;
  } catch (...) {
    // The load stopped half way: what it left is part of one file and part of the one
    // before. The window starts again from the empty set and belongs to no file, so
    // that Save cannot write a part over the whole.
    lbTags->Items()->Clear();
    lbAttributes->Items()->Clear();
    group_->Clear();
    group_->SetName("");
    group_->SetGroupNames("");
    SetFileName("");
    ShowLoadedSet();
    SetModified(false);
    try {
      throw;
    } catch (Exception& e) {
      NameFileInError(e, name);
      Application->HandleException(this);
    } catch (...) {
      Application->HandleException(this);
    }
    return;
  }
  SetFileName(name);
  ShowLoadedSet();
  SetModified(false);
}

void TfrmMain::cmdSaveClick(TObject*) {
  if (FileExists(fileName_)) {
    group_->SaveToFile(fileName_);
    SetModified(false);
  } else {
    MessageDlg("Error : Could not find " + fileName_, mtError, {mbOK}, 0);
  }
}

void TfrmMain::cmdSaveAsClick(TObject*) {
  if (!SaveDialog1->Execute()) return;
  AnsiString name = SaveDialog1->FileName();
  group_->SaveToFile(name);
  SetFileName(name);
  SetModified(false);
}

void TfrmMain::cmdFileClick(TObject*) { cmdGenerateHelp->SetEnabled(group_ && group_->Tags().Count() > 0); }

void TfrmMain::cmdGenerateHelpClick(TObject*) {
  auto d = NewForm<TfrmGenHelp>(this);
  d->Group = group_.get();
  d->ShowModal();
}

void TfrmMain::cmdExitClick(TObject*) { Close(); }

void TfrmMain::cmdAboutClick(TObject*) { NewForm<TfrmAbout>(this)->ShowModal(); }

void TfrmMain::FormCloseQuery(TObject*, bool& CanClose) {
  if (!modified_) return;
  int answer = MessageDlg("Save changes before exiting ?", mtConfirmation, mbYesNoCancel, 0);
  if (answer == mrCancel)
    CanClose = false;
  else if (answer == mrYes)
    CanClose = SaveBeforeLeaving();
}

// ---- the lists -----------------------------------------------------------------------

void TfrmMain::eHTMLSpecChange(TObject*) {
  if (!group_) return;
  group_->SetName(eHTMLSpec->Text());
  SetModified(true);
}

void TfrmMain::lbTagsDrawItem(TWinControl*, int Index, RECT Rect, TOwnerDrawState) {
  TCanvas* c = lbTags->Canvas();
  c->FillRect(Rect);
  if (Index < 0 || Index >= lbTags->Items()->Count()) return;
  auto* tag = static_cast<THTMLTagDef*>(lbTags->Items()->Objects(Index));
  c->TextOut(Rect.left, Rect.top, Format("<%s>", tag->Name().c_str()));
  if (tag->Kind() != tkStandAlone) c->TextOut(Rect.left + 120, Rect.top, Format("...    <%s>", tag->EndTag().c_str()));
}

void TfrmMain::lbTagsClick(TObject*) {
  THTMLTagDef* tag = SelectedTag();
  lbAttributes->Items()->Clear();
  if (!tag) {
    ShowTagDescription("");
    ShowAttrDescription("");
    btnAttrProperties->SetEnabled(false);
    return;
  }
  ShowTagDescription(tag->Description());
  for (int i = 0; i < tag->Attribs().Count(); ++i)
    lbAttributes->Items()->AddObject(tag->Attribs()[i], tag->AttribAt(i));
  if (tag->Attribs().Count() == 0) {
    btnAttrProperties->SetEnabled(false);
    ShowAttrDescription("");
  } else {
    btnAttrProperties->SetEnabled(true);
    lbAttributes->SetItemIndex(0);
    lbAttributesClick(lbAttributes);
  }
}

void TfrmMain::lbAttributesClick(TObject*) {
  if (THTMLAttribDef* a = SelectedAttrib()) ShowAttrDescription(a->Description());
}

// ---- tag and attribute commands --------------------------------------------------------

void TfrmMain::btnAddClick(TObject*) {
  std::unique_ptr<THTMLTagDef> tag;
  {
    auto d = NewForm<TfrmNewTag>(this);
    d->SetGroup(group_.get());
    TModalResult r = d->ShowModal();
    AnsiString name = d->eTagName->Text();
    if (r == mrOk)
      tag = MakeNewTag(name);
    else if (r == mrCopyTag && d->SourceTag())
      tag = MakeCopiedTag(name, *d->SourceTag(), d->SelectedAttribs());
  }
  if (!tag) return;
  THTMLTagDef* added = tag.get();
  group_->Tags().AddObject(added->Name(), tag.release());
  group_->Tags().Sort();
  SetModified(true);
  FillTags();
  lbTags->SetItemIndex(lbTags->Items()->IndexOfObject(added));
  EnableTagButtons(true);
  btnPropertiesClick(this);
}

void TfrmMain::btnPropertiesClick(TObject*) {
  THTMLTagDef* tag = SelectedTag();
  if (!tag) return;
  {
    auto d = NewForm<TfrmTagDef>(this);
    d->SetGroupNames(group_->GroupNames());
    d->LoadTag(tag);
    if (d->ShowModal() == mrOk) {
      d->StoreTag();
      SetModified(true);
    }
    // Attributes added or removed there stay even on Cancel: the window and the modified
    // flag must follow them.
    if (d->AttribsChanged()) SetModified(true);
  }
  lbTags->Invalidate();
  lbTagsClick(lbTags);
}

void TfrmMain::btnRemoveClick(TObject*) {
  int i = lbTags->ItemIndex();
  THTMLTagDef* tag = SelectedTag();
  if (!tag) return;
  lbAttributes->Items()->Clear();
  int at = group_->Tags().IndexOfObject(tag);
  if (at >= 0) group_->Tags().Delete(at);  // frees the tag
  FillTags();
  int n = lbTags->Items()->Count();
  if (n > 0) {
    lbTags->SetItemIndex(i > 0 ? std::min(i - 1, n - 1) : 0);
  } else {
    EnableTagButtons(false);
    btnAttrProperties->SetEnabled(false);
  }
  if (!SelectedTag()) {
    ShowTagDescription("");
    ShowAttrDescription("");
  } else {
    lbTagsClick(lbTags);
  }
  SetModified(true);
}

void TfrmMain::btnAttrPropertiesClick(TObject*) {
  THTMLTagDef* tag = SelectedTag();
  THTMLAttribDef* attrib = SelectedAttrib();
  if (!tag || !attrib) return;
  auto d = NewForm<TfrmAttrDef>(this);
  d->TagName = tag->Name();
  d->LoadAttrib(attrib);
  if (d->ShowModal() != mrOk) return;
  d->StoreAttrib();
  SetModified(true);
  ShowAttrDescription(attrib->Description());
}

void TfrmMain::btnGroupClick(TObject*) {
  auto d = NewForm<TfrmGroups>(this);
  d->SetText(group_->GroupNames());
  if (d->ShowModal() != mrOk) return;
  group_->SetGroupNames(d->GetText());
  SetModified(true);
}

void TfrmMain::btnTestClick(TObject*) {
  THTMLTagDef* tag = SelectedTag();
  if (!tag) return;
  if (tag->Attribs().Count() == 0) {
    MessageDlg("No Attributes defined !", mtInformation, {mbOK}, 0);
    return;
  }
  // No options are given: lower case off and no default filters, as the tag stands.
  auto d = NewForm<TfrmParEd>(this);
  d->LoadTag(tag);
  d->ShowModal();
}

}  // namespace vx
