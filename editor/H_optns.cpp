#include "editor/H_optns.h"

#include <tuple>

#include "editor/FileNameEdits.h"
#include "editor/Settings.h"
#include "framework/win/Dialogs.h"
#include "framework/win/MakeControl.h"
#include "tagdefs/FilterEd.h"
#include "toolkit/Placemnt.h"
#include "toolkit/ToolEdit.h"
#include "toolkit/ZXCombos.h"

namespace vx {

const char* const RestartNotice =
    "Please note that your change will not take\n\r"
    "effect until you exit Vornix HTML Editor\n\r"
    "and restart Vornix HTML Editor";

namespace {

// Builds the controls of one page or group, each at its place and with its name.
class TBuilder {
 public:
  TBuilder(TForm* form, TWinControl* parent) : form_(form), parent_(parent) {}

  template <class T>
  T* Add(const char* name, int l, int t, int w, int h) {
    return MakeControl<T>(form_, parent_, name, l, t, w, h);
  }
  TLabel* Label(const char* caption, int l, int t, TWinControl* focus = nullptr) {
    auto* c = new TLabel(form_);
    c->SetParent(parent_);
    c->SetCaption(caption);
    c->SetLeft(l);
    c->SetTop(t);
    if (focus) c->SetFocusControl(focus);
    return c;
  }
  TGroupBox* Group(const char* name, const char* caption, int l, int t, int w, int h) {
    TGroupBox* g = Add<TGroupBox>(name, l, t, w, h);
    g->SetCaption(caption);
    return g;
  }
  TCheckBox* Check(const char* name, const char* caption, int l, int t, int w) {
    TCheckBox* c = Add<TCheckBox>(name, l, t, w, 17);
    c->SetCaption(caption);
    return c;
  }
  TSpinEdit* Spin(const char* name, int l, int t, int lo, int hi) {
    TSpinEdit* s = Add<TSpinEdit>(name, l, t, 56, 22);
    s->SetMinValue(lo);
    s->SetMaxValue(hi);
    return s;
  }
  // A labelled control in a row: the label at x, the control at x + labelWidth.
  template <class T>
  T* Row(const char* name, const char* label, int x, int y, int labelWidth, int width, int height = 22) {
    T* c = Add<T>(name, x + labelWidth, y, width, height);
    Label(label, x, y + 4, c);
    return c;
  }

 private:
  TForm* form_;
  TWinControl* parent_;
};

TTabSheet* Page(TForm* form, TPageControl* pc, const char* name, const char* caption) {
  auto* p = new TTabSheet(form);
  p->SetName(name);
  p->SetCaption(caption);
  p->SetPageControl(pc);
  return p;
}

}  // namespace

TFormOptions::TFormOptions(TComponent* owner) : TForm(owner) {
  SetName("FormOptions");
  SetCaption("Properties");
  SetBorderStyle(bsDialog);
  SetPosition(poScreenCenter);
  SetHelpContext(23);
  SetClientSize(400, 334);
  TBuilder form(this, this);
  PageControl1 = form.Add<TPageControl>("PageControl1", 8, 8, 384, 286);
  EditorPage = Page(this, PageControl1, "EditorPage", "Editor");
  InternalBrowserPage = Page(this, PageControl1, "InternalBrowserPage", "Internal Browser");
  ExternalBrowserPage = Page(this, PageControl1, "ExternalBrowserPage", "External Browser");
  OptionsPage = Page(this, PageControl1, "OptionsPage", "Options");

  // ---- Editor
  TBuilder editor(this, EditorPage);
  EditorWindowGroup = editor.Group("EditorWindowGroup", "Editor Window", 6, 4, 364, 132);
  TBuilder window(this, EditorWindowGroup);
  EditBGE = window.Row<TColorComboBox>("EditBGE", "Background:", 10, 18, 66, 100);
  EditFontColorE = window.Row<TColorComboBox>("EditFontColorE", "Text:", 190, 18, 54, 100);
  EditSyntaxE = window.Row<TColorComboBox>("EditSyntaxE", "Syntax:", 10, 45, 66, 100);
  EditQuotedE = window.Row<TColorComboBox>("EditQuotedE", "Quoted:", 190, 45, 54, 100);
  EditCommentE = window.Row<TColorComboBox>("EditCommentE", "Comment:", 10, 72, 66, 100);
  EditFontE = window.Row<TFontComboBox>("EditFontE", "Font:", 10, 100, 66, 170);
  EditFontSizeE = window.Add<TSpinEdit>("EditFontSizeE", 290, 100, 56, 22);
  window.Label("Size:", 258, 104, EditFontSizeE);
  EditFontSizeE->SetMinValue(8);
  EditFontSizeE->SetMaxValue(18);
  StylesGroup = editor.Group("StylesGroup", "Styles", 6, 140, 364, 66);
  TBuilder styles(this, StylesGroup);
  EditTabSize = styles.Spin("EditTabSize", 10, 34, 1, 8);
  styles.Label("&Tab Size", 10, 16, EditTabSize);
  EditTabSize->SetHint("Adjust the tab settings");
  EditTabSize->SetShowHint(true);
  EditMacSave = styles.Check("EditMacSave", "Mac Style Save", 80, 18, 104);
  EditUnixSave = styles.Check("EditUnixSave", "Unix Style Save", 80, 40, 104);
  EditSyntaxHighLight = styles.Check("EditSyntaxHighLight", "Syntax Highlight", 190, 18, 104);
  EditWordWrap = styles.Check("EditWordWrap", "Word Wrap", 190, 40, 80);
  EditAutoIndent = styles.Check("EditAutoIndent", "Auto Indent", 274, 40, 84);
  DefaultDirGroup = editor.Group("DefaultDirGroup", "Default starting Directory", 6, 210, 364, 46);
  DefaultDirE = TBuilder(this, DefaultDirGroup).Add<TDirectoryEdit>("DefaultDirE", 10, 16, 344, 21);

  // ---- Internal Browser
  TBuilder internal(this, InternalBrowserPage);
  FontsGroup = internal.Group("FontsGroup", "Fonts", 6, 4, 364, 106);
  TBuilder fonts(this, FontsGroup);
  DefFontNameE = fonts.Row<TFontComboBox>("DefFontNameE", "Standard:", 10, 18, 80, 190);
  DefPreFontNameE = fonts.Row<TFontComboBox>("DefPreFontNameE", "Fixed Text:", 10, 46, 80, 190);
  DefFontSizeE = fonts.Row<TSpinEdit>("DefFontSizeE", "Size:", 10, 74, 80, 56);
  DefFontSizeE->SetMinValue(8);
  DefFontSizeE->SetMaxValue(18);
  ColoursGroup = internal.Group("ColoursGroup", "Colours", 6, 116, 364, 106);
  TBuilder colours(this, ColoursGroup);
  DefHotSpotColorE = colours.Row<TColorComboBox>("DefHotSpotColorE", "Link:", 10, 18, 80, 120);
  DefBackGroundE = colours.Row<TColorComboBox>("DefBackGroundE", "Background:", 10, 46, 80, 120);
  DefFontColorE = colours.Row<TColorComboBox>("DefFontColorE", "Font:", 10, 74, 80, 120);

  // ---- External Browser
  TBuilder external(this, ExternalBrowserPage);
  TGroupBox** groups[2] = {&Browser1Group, &Browser2Group};
  TFilenameEdit** edits[2] = {&BrowserE, &BrowserE2};
  TCheckBox** dde[2] = {&UseDDECB, &UseDDECB2};
  for (int i = 0; i < 2; ++i) {
    TGroupBox* g = *groups[i] = external.Group(i ? "Browser2Group" : "Browser1Group",
                                               i ? "External Browser 2" : "External Browser 1", 6, 4 + i * 92, 364, 86);
    TBuilder b(this, g);
    TFilenameEdit* e = *edits[i] = b.Add<TFilenameEdit>(i ? "BrowserE2" : "BrowserE", 10, 34, 344, 21);
    e->SetDialogOptions(TOpenOptions{ofHideReadOnly});
    b.Label("Location", 10, 16, e);
    TCheckBox* c = *dde[i] = b.Check(i ? "UseDDECB2" : "UseDDECB", "&Use DDE", 10, 62, 100);
    c->SetHint("DDE Support");
    c->SetShowHint(true);
  }

  // ---- Options
  TBuilder options(this, OptionsPage);
  MiscGroup = options.Group("MiscGroup", "Miscellaneous", 6, 4, 364, 46);
  TBuilder misc(this, MiscGroup);
  CreateBAKCB = misc.Check("CreateBAKCB", "Create BackUp file", 10, 20, 150);
  LowerCaseCB = misc.Check("LowerCaseCB", "LowerCase Tags", 180, 20, 150);
  TGroupBox** fileGroups[2] = {&DocumentGroup, &ImageGroup};
  TEdit** exts[2] = {&DocExtE, &ImgExtE};
  TComboEdit** filters[2] = {&DocFilterE, &ImgFilterE};
  for (int i = 0; i < 2; ++i) {
    TGroupBox* g = *fileGroups[i] =
        options.Group(i ? "ImageGroup" : "DocumentGroup", i ? "Image Selector" : "Document", 6, 54 + i * 82, 364, 76);
    TBuilder b(this, g);
    *exts[i] = b.Row<TEdit>(i ? "ImgExtE" : "DocExtE", "Default Ext:", 10, 18, 70, 60, 21);
    TComboEdit* f = *filters[i] = b.Row<TComboEdit>(i ? "ImgFilterE" : "DocFilterE", "Filter:", 10, 46, 70, 274, 21);
    f->SetGlyphKind(gkEllipsis);
  }
  PageControl1->SetActivePage(OptionsPage);

  std::tie(btnOK, btnCancel) = PlaceOkCancel(this, 236, 302);

  FormStorage1 = new TFormStorage(this);
  FormStorage1->SetName("FormStorage1");
  FormStorage1->SetUseRegistry(true);
  FormStorage1->SetIniFileName("Vornix");
  FormStorage1->SetIniSection("Properties");
  FormStorage1->SetOptions(TPlacementOptions{fpState, fpPosition, fpActiveControl});

  DocFilterE->OnButtonClick = [this](TObject* s) { DocFilterEButtonClick(s); };
  ImgFilterE->OnButtonClick = [this](TObject* s) { ImgFilterEButtonClick(s); };
  btnOK->OnClick = [this](TObject* s) { btnOKClick(s); };
}

TFormOptions::~TFormOptions() = default;

void TFormOptions::EditFilter(TComboEdit* edit) {
  TComponentPtr<TfrmFilter> f(CreateForm<TfrmFilter>(this));
  f->SetFilter(edit->Text());
  if (f->ShowModal() == mrOk) edit->SetText(f->GetFilter());
}

void TFormOptions::DocFilterEButtonClick(TObject*) { EditFilter(DocFilterE); }
void TFormOptions::ImgFilterEButtonClick(TObject*) { EditFilter(ImgFilterE); }

void TFormOptions::btnOKClick(TObject*) {
  MessageDlg(RestartNotice, mtInformation, {mbOK}, 0);
  SetModalResult(mrOk);
}

bool EditSettings(TSettings& s) {
  TComponentPtr<TFormOptions> f(CreateForm<TFormOptions>(Application));
  // Filled and stored back in one order; a spin edit holds its value within its range.
  f->EditFontE->SetFontName(s.Font());
  f->EditFontSizeE->SetValue(s.FontSize());
  f->EditFontColorE->SetColorValue(s.FontColor());
  f->EditBGE->SetColorValue(s.BG());
  f->EditSyntaxE->SetColorValue(s.Syntax());
  f->EditCommentE->SetColorValue(s.Comment());
  f->EditQuotedE->SetColorValue(s.Quoted());
  f->EditSyntaxHighLight->SetChecked(s.SyntaxC());
  f->EditMacSave->SetChecked(s.Mac());
  f->EditUnixSave->SetChecked(s.Unix());
  f->EditAutoIndent->SetChecked(s.AutoIndent());
  f->EditWordWrap->SetChecked(s.WordWrap());
  f->EditTabSize->SetValue(s.HTab());
  f->DefaultDirE->SetText(s.DefaultDir());
  f->DefBackGroundE->SetColorValue(s.BrowserBG());
  f->DefFontColorE->SetColorValue(s.BrowserFontColor());
  f->DefFontNameE->SetFontName(s.BrowserFont());
  f->DefFontSizeE->SetValue(s.BrowserFontSize());
  f->DefHotSpotColorE->SetColorValue(s.HotSpot());
  f->DefPreFontNameE->SetFontName(s.PreFont());
  f->UseDDECB->SetChecked(s.UseDDE());
  ShowFileName(f->BrowserE, s.Browser());
  f->UseDDECB2->SetChecked(s.UseDDE2());
  ShowFileName(f->BrowserE2, s.Browser2());
  f->CreateBAKCB->SetChecked(s.CreateBAK());
  f->LowerCaseCB->SetChecked(s.LowerCase());
  f->DocExtE->SetText(s.DocExt());
  f->DocFilterE->SetText(s.DocFilter());
  f->ImgExtE->SetText(s.ImgExt());
  f->ImgFilterE->SetText(s.ImgFilter());
  if (f->ShowModal() != mrOk) return false;
  s.SetFont(f->EditFontE->FontName());
  s.SetFontSize(f->EditFontSizeE->CheckValue(f->EditFontSizeE->Value()));
  s.SetFontColor(f->EditFontColorE->ColorValue());
  s.SetBG(f->EditBGE->ColorValue());
  s.SetSyntax(f->EditSyntaxE->ColorValue());
  s.SetComment(f->EditCommentE->ColorValue());
  s.SetQuoted(f->EditQuotedE->ColorValue());
  s.SetSyntaxC(f->EditSyntaxHighLight->Checked());
  s.SetMac(f->EditMacSave->Checked());
  s.SetUnix(f->EditUnixSave->Checked());
  s.SetAutoIndent(f->EditAutoIndent->Checked());
  s.SetWordWrap(f->EditWordWrap->Checked());
  s.SetHTab(f->EditTabSize->CheckValue(f->EditTabSize->Value()));
  s.SetDefaultDir(f->DefaultDirE->Text());
  s.SetBrowserBG(f->DefBackGroundE->ColorValue());
  s.SetBrowserFontColor(f->DefFontColorE->ColorValue());
  s.SetBrowserFont(f->DefFontNameE->FontName());
  s.SetBrowserFontSize(f->DefFontSizeE->CheckValue(f->DefFontSizeE->Value()));
  s.SetHotSpot(f->DefHotSpotColorE->ColorValue());
  s.SetPreFont(f->DefPreFontNameE->FontName());
  s.SetUseDDE(f->UseDDECB->Checked());
  s.SetBrowser(FileNameOf(f->BrowserE));
  s.SetUseDDE2(f->UseDDECB2->Checked());
  s.SetBrowser2(FileNameOf(f->BrowserE2));
  s.SetCreateBAK(f->CreateBAKCB->Checked());
  s.SetLowerCase(f->LowerCaseCB->Checked());
  s.SetDocExt(f->DocExtE->Text());
  s.SetDocFilter(f->DocFilterE->Text());
  s.SetImgExt(f->ImgExtE->Text());
  s.SetImgFilter(f->ImgFilterE->Text());
  return true;
}

}  // namespace vx
