// Form controls as real child windows under Wine: sizes, clicks, Enter, submit pairs.
#include <gtest/gtest.h>

#include "framework/win/ExtCtrls.h"
#include "framework/win/Forms.h"
#include "framework/win/StdCtrls.h"
#include "viewer/HTMLFormWidgets.h"
#include "viewer/HTMLGdi.h"

using namespace vx;

namespace {
struct Page {
  HWND parent;
  TWinFormWidgets widgets;
  TSectionList list;
  TSection* sec;
  ThtmlForm* form;
  std::vector<std::vector<std::string>> submits;
  static HWND MakeParent() {
    HWND h = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN, 0, 0, 500, 400, nullptr, nullptr,
                             GetModuleHandleA(nullptr), nullptr);
    ShowWindow(h, SW_SHOWNA);
    return h;
  }
  Page() : parent(MakeParent()), widgets(parent) {
    list.Widgets = &widgets;
    list.SubmitForm = [this](TObject*, const std::string&, const std::string&, std::vector<std::string> r) {
      submits.push_back(std::move(r));
    };
    TMyFont f;
    f.Name = "Times New Roman";
    auto s = std::make_unique<TSection>(&list, 0, 1, nullptr, f, 0);
    sec = s.get();
    list.Add(std::move(s));
    form = ThtmlForm::Create(&list, "", false, "act");
  }
  ~Page() {
    list.Clear();
    DestroyWindow(parent);
  }
  TFormControlObj* Add(TSection::TControlTag tag, const std::string& type, const std::string& name,
                       const std::string& value = "", bool checked = false) {
    TControlParams p;
    p.Type = type;
    p.Name = name;
    p.Value = value;
    p.Checked = checked;
    return sec->AddFormControl(tag, p, form);
  }
  void Pump() {
    MSG m;
    while (PeekMessageA(&m, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&m);
  }
};
}  // namespace

TEST(ModelWidgets, RadiosInPanelsGroupByNameAndSubmit) {
  Page p;
  auto* e = p.Add(TSection::ctInput, "password", "pw", "secret");
  auto* r1 = p.Add(TSection::ctInput, "radio", "a", "1", true);
  auto* r2 = p.Add(TSection::ctInput, "radio", "A", "2");
  auto* cb = p.Add(TSection::ctInput, "checkbox", "c");
  auto* go = p.Add(TSection::ctInput, "submit", "go", "Send");
  // No window until painted.
  EXPECT_EQ(WidgetWindow(r1->Widget.get()), nullptr);
  EXPECT_EQ(WidgetWindow(go->Widget.get()), nullptr);

  HDC dc = GetDC(p.parent);
  {
    TGdiViewCanvas c(dc);
    int widest = 0;
    p.list.DoLayout(c, 480, widest);
    p.list.Paint(c, {0, 0, 500, 400}, 0, 10);
  }
  ReleaseDC(p.parent, dc);
  HWND hr1 = WidgetWindow(r1->Widget.get()), hr2 = WidgetWindow(r2->Widget.get());
  ASSERT_TRUE(hr1 && hr2);
  EXPECT_NE(GetParent(hr1), GetParent(hr2));  // each radio button alone in its panel
  EXPECT_NE(GetParent(hr1), p.parent);
  EXPECT_EQ(GetParent(GetParent(hr1)), p.parent);
  EXPECT_EQ(GetWindowLongA(WidgetWindow(e->Widget.get()), GWL_STYLE) & ES_PASSWORD, ES_PASSWORD);
  EXPECT_TRUE(IsWindowVisible(GetParent(hr1)));
  EXPECT_EQ(r1->Widget->Width(), 13);
  EXPECT_EQ(r1->Widget->Height(), 14);
  EXPECT_GT(e->Widget->Width(), 20 * 5);  // 20 characters of the preformatted font

  SendMessageA(hr2, BM_CLICK, 0, 0);
  p.Pump();
  EXPECT_TRUE(r2->Widget->Checked());
  EXPECT_FALSE(r1->Widget->Checked());
  SendMessageA(WidgetWindow(cb->Widget.get()), BM_CLICK, 0, 0);
  EXPECT_TRUE(cb->Widget->Checked());
  SendMessageA(WidgetWindow(go->Widget.get()), BM_CLICK, 0, 0);
  ASSERT_EQ(p.submits.size(), 1u);
  EXPECT_EQ(p.submits[0], (std::vector<std::string>{"pw=secret", "A=2", "c=On", "go=Send"}));

  p.form->ResetControls();
  EXPECT_TRUE(r1->Widget->Checked());
  EXPECT_FALSE(cb->Widget->Checked());
}

TEST(ModelWidgets, ListsAreasAndEnter) {
  Page p;
  TControlParams sel;
  sel.Name = "s";
  sel.Multiple = true;
  auto* lb = static_cast<TListBoxFormControlObj*>(p.sec->AddFormControl(TSection::ctSelect, sel, p.form));
  for (int i = 0; i < 12; ++i) lb->AddOption("option " + std::to_string(i), "", i == 2);
  lb->ResetValue();
  TControlParams one;
  one.Name = "d";
  auto* combo = static_cast<TComboFormControlObj*>(p.sec->AddFormControl(TSection::ctSelect, one, p.form));
  combo->AddOption("x", "vx", false);
  combo->AddOption("y", "", true);
  combo->ResetValue();
  TControlParams ta;
  ta.Name = "t";
  ta.Rows = 3;
  auto* area = static_cast<TTextAreaFormControlObj*>(p.sec->AddFormControl(TSection::ctTextArea, ta, p.form));
  area->AddLine("one");
  area->AddLine("two");
  area->ResetValue();
  p.form->SizeControls();
  HWND hl = WidgetWindow(lb->Widget.get());
  RECT cr;
  GetClientRect(hl, &cr);
  int itemH = 0, aw = 0;
  lb->Widget->MeasureA(aw, itemH, false);
  EXPECT_EQ(cr.bottom, 8 * itemH);  // twelve options, no SIZE: eight rows
  EXPECT_EQ(p.form->SubmitPairs("", false), (std::vector<std::string>{"s=option 2", "d=y", "t=one", "t=two"}));

  // Enter in a lone text field submits.
  Page q;
  auto* e = q.Add(TSection::ctInput, "", "q", "find");
  q.Add(TSection::ctInput, "hidden", "h", "1");
  e->Place(5, 5);
  SendMessageA(WidgetWindow(e->Widget.get()), WM_KEYDOWN, VK_RETURN, 0);
  ASSERT_EQ(q.submits.size(), 1u);
  EXPECT_EQ(q.submits[0], (std::vector<std::string>{"q=find", "h=1"}));
}

// On a framework panel (as the viewer's paint panel is) the controls are its children and
// the framework itself hands them their notices.
TEST(ModelWidgets, FrameworkControlsOnAFrameworkPanel) {
  TForm* host = CreateForm<TForm>(Application);
  host->SetBounds(20, 20, 500, 400);
  auto* panel = new TPanel(host);
  panel->SetParent(host);
  panel->SetAlign(alClient);
  host->Show();
  {
    TWinFormWidgets widgets(panel);
    TSectionList list;
    list.Widgets = &widgets;
    std::vector<std::vector<std::string>> submits;
    list.SubmitForm = [&](TObject*, const std::string&, const std::string&, std::vector<std::string> r) {
      submits.push_back(std::move(r));
    };
    TMyFont f;
    f.Name = "Times New Roman";
    auto s = std::make_unique<TSection>(&list, 0, 1, nullptr, f, 0);
    TSection* sec = s.get();
    list.Add(std::move(s));
    ThtmlForm* form = ThtmlForm::Create(&list, "post", true, "go");
    auto add = [&](TSection::TControlTag tag, const std::string& type, const std::string& name,
                   const std::string& value, bool checked) {
      TControlParams p;
      p.Type = type;
      p.Name = name;
      p.Value = value;
      p.HasValue = !value.empty();
      p.Checked = checked;
      return sec->AddFormControl(tag, p, form);
    };
    auto* e = add(TSection::ctInput, "text", "q", "abc", false);
    auto* r1 = add(TSection::ctInput, "radio", "a", "1", true);
    auto* r2 = add(TSection::ctInput, "radio", "a", "2", true);
    auto* cb = add(TSection::ctInput, "checkbox", "c", "yes", false);
    auto* reset = add(TSection::ctInput, "reset", "", "", false);

    // The controls are the framework's; they go on the panel, with their windows, when
    // first shown.
    auto* edit = dynamic_cast<TEdit*>(WidgetControl(e->Widget.get()));
    ASSERT_NE(edit, nullptr);
    EXPECT_EQ(edit->Parent(), nullptr);
    EXPECT_FALSE(edit->HandleAllocated());
    EXPECT_EQ(panel->ControlCount(), 0);
    EXPECT_FALSE(e->Widget->Visible());
    EXPECT_EQ(e->Widget->Top(), -400);
    int x = 0;
    for (TFormControlObj* c : {e, r1, r2, cb, reset}) {
      c->Place(x, 5);
      x += c->Width() + 5;
    }
    // With the panel (or a radio's own panel) as parent.
    EXPECT_EQ(edit->Parent(), panel);
    EXPECT_EQ(edit->Font()->Size(), 10);
    auto* radio = dynamic_cast<TRadioButton*>(WidgetControl(r2->Widget.get()));
    ASSERT_NE(radio, nullptr);
    ASSERT_NE(radio->Parent(), nullptr);
    EXPECT_EQ(radio->Parent()->Parent(), panel);
    EXPECT_NE(dynamic_cast<TCheckBox*>(WidgetControl(cb->Widget.get())), nullptr);

    // Both radio buttons were written CHECKED: each keeps its own state until one is clicked.
    EXPECT_TRUE(r1->Widget->Checked());
    EXPECT_TRUE(r2->Widget->Checked());
    SendMessageA(WidgetWindow(r1->Widget.get()), BM_CLICK, 0, 0);
    EXPECT_TRUE(r1->Widget->Checked());
    EXPECT_FALSE(r2->Widget->Checked());
    SendMessageA(WidgetWindow(cb->Widget.get()), BM_CLICK, 0, 0);
    EXPECT_TRUE(cb->Widget->Checked());
    edit->SetText("changed");
    // Reset puts every control back as written, without one radio undoing the other.
    SendMessageA(WidgetWindow(reset->Widget.get()), BM_CLICK, 0, 0);
    EXPECT_EQ(edit->Text(), "abc");
    EXPECT_TRUE(r1->Widget->Checked());
    EXPECT_TRUE(r2->Widget->Checked());
    EXPECT_FALSE(cb->Widget->Checked());
    EXPECT_TRUE(submits.empty());

    // Enter in the edit is the form's key even when it does not submit (two controls).
    SendMessageA(edit->Handle(), WM_KEYDOWN, VK_RETURN, 0);
    EXPECT_TRUE(submits.empty());

    // Placing shows the control where the layout puts it; hiding takes it away.
    e->Place(12, 34);
    EXPECT_TRUE(edit->Visible());
    EXPECT_EQ(edit->Left(), 12);
    EXPECT_EQ(edit->Top(), 34);
    e->Hide();
    EXPECT_FALSE(edit->Visible());

    // A failing submit hand-off ends in the application's handler, not in the system.
    std::vector<std::string> shown;
    Application->OnMessageBox = [&](const AnsiString& text, const AnsiString&, UINT) {
      shown.push_back(text);
      return IDOK;
    };
    list.SubmitForm = [](TObject*, const std::string&, const std::string&, std::vector<std::string>) {
      throw Exception("no place to send it");
    };
    auto* go = add(TSection::ctInput, "submit", "go", "", false);
    go->Place(x, 5);
    SendMessageA(WidgetWindow(go->Widget.get()), BM_CLICK, 0, 0);
    Application->OnMessageBox = nullptr;
    ASSERT_EQ(shown.size(), 1u);
    EXPECT_EQ(shown[0], "no place to send it");
    list.Clear();
  }
  // The panel outlives the controls the document made on it.
  EXPECT_EQ(panel->ControlCount(), 0);
  host->Free();
}

LRESULT CALLBACK RefuseWindows(int code, WPARAM w, LPARAM l) {
  return code == HCBT_CREATEWND ? 1 : CallNextHookEx(nullptr, code, w, l);
}

// A control that finds no window stays unseen; any other failure to show it is not hidden.
TEST(ModelWidgets, OnlyRunningOutOfWindowsLeavesAControlUnseen) {
  TForm* host = CreateForm<TForm>(Application);
  host->SetBounds(20, 20, 300, 200);
  auto* panel = new TPanel(host);
  panel->SetParent(host);
  panel->SetAlign(alClient);
  host->Show();
  {
    TWinFormWidgets widgets(panel);
    TSectionList list;
    list.Widgets = &widgets;
    TMyFont f;
    f.Name = "Times New Roman";
    auto s = std::make_unique<TSection>(&list, 0, 1, nullptr, f, 0);
    TSection* sec = s.get();
    list.Add(std::move(s));
    ThtmlForm* form = ThtmlForm::Create(&list, "", false, "go");
    TControlParams p;
    p.Type = "text";
    auto* refused = sec->AddFormControl(TSection::ctInput, p, form);
    auto* orphan = sec->AddFormControl(TSection::ctInput, p, form);
    // The system refuses every new window: the control is left unseen and nothing is thrown.
    HHOOK hook = SetWindowsHookExA(WH_CBT, RefuseWindows, nullptr, GetCurrentThreadId());
    EXPECT_NO_THROW(refused->Place(5, 5));
    UnhookWindowsHookEx(hook);
    EXPECT_FALSE(refused->Widget->Visible());
    EXPECT_EQ(WidgetWindow(refused->Widget.get()), nullptr);
    // A parent that lost its own window is a fault of the program, not a shortage.
    panel->SetParent(nullptr);
    EXPECT_THROW(orphan->Place(5, 5), EInvalidOperation);
    list.Clear();
  }
  host->Free();
}

TEST(ModelWidgets, SelectionGoesToTheClipboardWhole) {
  TSectionList list;
  list.PutOnClipboard = [](const std::string& t) { PutTextOnClipboard(t); };
  TMyFont f;
  f.Name = "Times New Roman";
  auto s = std::make_unique<TSection>(&list, 0, 1, nullptr, f, 0);
  s->AppendText(std::string(20000, 'x'));
  list.Add(std::move(s));
  auto s2 = std::make_unique<TSection>(&list, 0, 1, nullptr, f, 0);
  s2->AppendText(std::string(20000, 'y'));
  list.Add(std::move(s2));
  HDC dc = GetDC(nullptr);
  {
    TGdiViewCanvas c(dc, true);
    int widest = 0;
    list.DoLayout(c, 400, widest);
  }
  ReleaseDC(nullptr, dc);
  list.SelB = 0;
  list.SelE = 40000;
  list.CopyToClipboard();
  ASSERT_TRUE(OpenClipboard(nullptr));
  HANDLE h = GetClipboardData(CF_TEXT);
  ASSERT_TRUE(h);
  std::string got = static_cast<const char*>(GlobalLock(h));
  GlobalUnlock(h);
  CloseClipboard();
  EXPECT_EQ(got.size(), 40004u);  // beyond 32500 characters nothing is cut
}
