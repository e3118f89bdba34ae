// HTML forms: each control of a form wraps a platform control (a TFormWidget) and knows
// its NAME, VALUE, its size rules, its reset and the name=value pairs it submits.
#pragma once

#include <string>
#include <vector>

#include "viewer/ViewCanvas.h"

namespace vx {

class TSectionList;
class ThtmlForm;
class TFormControlObj;

enum class TWidgetKind { Edit, Button, CheckBox, Radio, ListBox, Combo, Memo };

// The platform control behind a form control. The Windows viewer makes real child controls
// of its paint panel; without a factory (print copy) controls have none.
class TFormWidget {
 public:
  virtual ~TFormWidget() = default;
  virtual void SetBounds(int left, int top, int width, int height) = 0;
  virtual int Left() const = 0;
  virtual int Top() const = 0;
  virtual int Width() const = 0;
  virtual int Height() const = 0;
  virtual void SetClientSize(int width, int height) = 0;
  virtual void SetVisible(bool v) = 0;
  virtual bool Visible() const = 0;
  virtual std::string Text() const = 0;
  virtual void SetText(const std::string& s) = 0;
  virtual bool Checked() const = 0;
  virtual void SetChecked(bool c) = 0;
  virtual void SetItems(const std::vector<std::string>& items) = 0;
  virtual int ItemCount() const = 0;
  virtual std::string Item(int i) const = 0;
  virtual bool Selected(int i) const = 0;
  virtual void SetSelected(int i, bool s) = 0;
  virtual int ItemIndex() const = 0;
  virtual void SetItemIndex(int i) = 0;
  virtual void SetTopIndex(int i) = 0;
  virtual std::vector<std::string> Lines() const = 0;
  virtual void SetLines(const std::vector<std::string>& lines) = 0;
  virtual void ResetCaret() = 0;
  // Width and height of "A" in the control's font (screen: measured on the screen).
  virtual void MeasureA(int& width, int& height, bool screen) = 0;
  virtual int TextWidth(const std::string& s) = 0;
};

struct TWidgetInit {
  TWidgetKind Kind = TWidgetKind::Edit;
  std::string Text;  // edit text, button caption
  bool Password = false;
  int MaxLength = 0;  // 0: no limit
  bool Checked = false;
  bool MultiSelect = false;
  std::string FontName;  // the preformatted font for edits, lists and memos
  int FontSize = 10;
  int Width = 0, Height = 0;
};

class TFormWidgetFactory {
 public:
  virtual ~TFormWidgetFactory() = default;
  // The widget reports clicks and Enter to its owner (Clicked, KeyDown).
  virtual std::unique_ptr<TFormWidget> Create(TFormControlObj& owner, const TWidgetInit& init) = 0;
};

// The INPUT, SELECT and TEXTAREA attributes a control is made from.
struct TControlParams {
  std::string Type;  // INPUT TYPE as written
  std::string Name, Value;
  bool HasValue = false;
  int Size = -1;  // SIZE, -1 absent
  int MaxLength = 0;
  bool Checked = false, Multiple = false;
  int Rows = -1, Cols = -1;
};

// Clamp of the sizes a document gives (SIZE, ROWS, COLS) before anything is measured.
constexpr int kMaxControlUnits = 1000;

class TFormControlObj : public TObject {
 public:
  TFormControlObj(TSectionList* list, ThtmlForm* form, int position, const TControlParams& p);
  ~TFormControlObj() override;
  const char* ClassName() const override { return "TFormControlObj"; }
  virtual void ResetValue() {}
  virtual bool GetSubmitPair(int index, std::string& text) { return false; }
  virtual void SizeToCanvas() {}
  virtual bool Hidden() const { return false; }
  // Called by the widget.
  virtual void Clicked() {}
  virtual void KeyDown(int key) {}

  int Width() const { return Widget ? Widget->Width() : 0; }
  int Height() const { return Widget ? Widget->Height() : 0; }
  void Place(int left, int top);
  void Hide();

  int Pos;
  TSectionList* List;
  ThtmlForm* Form;
  std::string Value, Name;
  bool BaselineAligned = false;
  std::unique_ptr<TFormWidget> Widget;
  bool Placed = false;

 protected:
  void MakeWidget(const TWidgetInit& init);
};

class THiddenFormControlObj : public TFormControlObj {
 public:
  using TFormControlObj::TFormControlObj;
  const char* ClassName() const override { return "THiddenFormControlObj"; }
  bool GetSubmitPair(int index, std::string& text) override;
  bool Hidden() const override { return true; }
};

class TEditFormControlObj : public TFormControlObj {
 public:
  TEditFormControlObj(TSectionList* list, ThtmlForm* form, int position, const TControlParams& p);
  const char* ClassName() const override { return "TEditFormControlObj"; }
  void ResetValue() override;
  bool GetSubmitPair(int index, std::string& text) override;
  void SizeToCanvas() override;
  void KeyDown(int key) override;
  int EditSize = 20;
};

class TButtonFormControlObj : public TFormControlObj {
 public:
  TButtonFormControlObj(TSectionList* list, ThtmlForm* form, int position, const TControlParams& p);
  const char* ClassName() const override { return "TButtonFormControlObj"; }
  void SizeToCanvas() override;
  void Clicked() override;
  bool IsSubmit = true;
};

class TCheckBoxFormControlObj : public TFormControlObj {
 public:
  TCheckBoxFormControlObj(TSectionList* list, ThtmlForm* form, int position, const TControlParams& p);
  const char* ClassName() const override { return "TCheckBoxFormControlObj"; }
  void ResetValue() override;
  bool GetSubmitPair(int index, std::string& text) override;
  bool IsChecked = false;
};

// A radio button inside a borderless 13 x 14 panel of its parent's colour.
class TRadioButtonFormControlObj : public TFormControlObj {
 public:
  TRadioButtonFormControlObj(TSectionList* list, ThtmlForm* form, int position, const TControlParams& p);
  const char* ClassName() const override { return "TRadioButtonFormControlObj"; }
  void ResetValue() override;
  bool GetSubmitPair(int index, std::string& text) override;
  void Clicked() override;
  bool IsChecked = false;
};

struct TOptionObj {
  std::string Text, Value;
  bool Selected = false;
};

class TListBoxFormControlObj : public TFormControlObj {
 public:
  TListBoxFormControlObj(TSectionList* list, ThtmlForm* form, int position, const TControlParams& p,
                         bool combo = false);
  const char* ClassName() const override { return "TListBoxFormControlObj"; }
  void AddOption(const std::string& text, const std::string& value, bool selected);
  void ResetValue() override;
  bool GetSubmitPair(int index, std::string& text) override;
  void SizeToCanvas() override;
  std::vector<TOptionObj> Options;
  int Rows = -1;
  int LongestOption = 3;
  bool Multiple = false;
  int RowsShown = 0;  // after sizing
};

class TComboFormControlObj : public TListBoxFormControlObj {
 public:
  TComboFormControlObj(TSectionList* list, ThtmlForm* form, int position, const TControlParams& p)
      : TListBoxFormControlObj(list, form, position, p, true) {}
  const char* ClassName() const override { return "TComboFormControlObj"; }
  void ResetValue() override;
  bool GetSubmitPair(int index, std::string& text) override;
  void SizeToCanvas() override;
};

class TTextAreaFormControlObj : public TFormControlObj {
 public:
  TTextAreaFormControlObj(TSectionList* list, ThtmlForm* form, int position, const TControlParams& p);
  const char* ClassName() const override { return "TTextAreaFormControlObj"; }
  void AddLine(const std::string& s) { InitialLines.push_back(s); }
  void ResetValue() override;
  bool GetSubmitPair(int index, std::string& text) override;
  void SizeToCanvas() override;
  int Rows = 5, Cols = 30;
  std::vector<std::string> InitialLines;
};

class ThtmlForm : public TObject {
 public:
  // Adds itself to the list's forms, which own it.
  static ThtmlForm* Create(TSectionList* list, const std::string& method, bool hasMethod, const std::string& action);
  const char* ClassName() const override { return "ThtmlForm"; }
  void AddControl(std::unique_ptr<TFormControlObj> c);
  void RadioClicked(TRadioButtonFormControlObj* sender);
  void ResetControls();
  void ControlKeyDown(TFormControlObj* sender, int key);
  void SizeControls();
  // extra: a name=value pair added last, or empty for none.
  void Submit(const std::string& extra, bool hasExtra);
  std::vector<std::string> SubmitPairs(const std::string& extra, bool hasExtra);

  TSectionList* List = nullptr;
  std::string Method = "Get", Action;
  TFreeList<TFormControlObj> Controls;
  int NonHiddenCount = 0;
};

}  // namespace vx
