// Owner-drawn drop-down lists of the ZXCtrls unit: the sixteen standard colours, each
// with a swatch and its name, and the installed font faces of the screen, the printer or
// both, each marked as TrueType or printer font.
//
// Both keep a value that their list does not offer (a system colour such as clBtnFace,
// a face this machine lacks) and give it back unchanged until the user picks a line:
// a dialog that only shows a stored option must be able to store it back as it was.
#pragma once

#include <windows.h>

#include <memory>

#include "framework/win/Dialogs.h"
#include "framework/win/StdCtrls.h"

namespace vx {

// The program's own bitmap resource of that name; EResNotFound "Resource %s not found".
std::unique_ptr<TBitmap> LoadToolkitBitmap(const char* resName);

class TColorComboBox : public TComboBox {
 public:
  explicit TColorComboBox(TComponent* owner);
  const char* ClassName() const override { return "TColorComboBox"; }

  // The sixteen lines: name and colour of line i.
  static constexpr int ColorCount = 16;
  static const char* ColorName(int i);
  static TColor ColorOfLine(int i);
  // The line of a colour, -1 when the list does not offer it.
  static int LineOf(TColor value);

  TColor ColorValue() const { return colorValue_; }
  void SetColorValue(TColor value);
  bool DisplayNames() const { return displayNames_; }
  void SetDisplayNames(bool value);

  void Click() override;

 protected:
  void CreateWnd() override;
  void FontChanged() override;
  void Change() override {}  // OnChange fires from the value setter only
  void DrawItem(int index, RECT r, TOwnerDrawState state) override;

 private:
  void ResetItemHeight();
  void SelectValue();
  TColor colorValue_ = clBlack;
  bool displayNames_ = true;

 protected:
  ~TColorComboBox() override;
};

using TFontDevice = TFontDialogDevice;  // fdScreen, fdPrinter, fdBoth
enum TFontListOption { foAnsiOnly, foTrueTypeOnly, foFixedPitchOnly, foNoOEMFonts, foOEMFontsOnly, foScalableOnly };
using TFontListOptions = TSet<TFontListOption>;  // the bits 1, 2, 4, 8, 16, 32

class TFontComboBox : public TComboBox {
 public:
  explicit TFontComboBox(TComponent* owner);
  const char* ClassName() const override { return "TFontComboBox"; }

  TFontDevice Device() const { return device_; }
  void SetDevice(TFontDevice value);
  TFontListOptions Options() const { return options_; }
  void SetOptions(TFontListOptions value);
  bool TrueTypeOnly() const { return options_.Contains(foTrueTypeOnly); }
  void SetTrueTypeOnly(bool value);
  // The selected face; without a selected line the name last set.
  AnsiString FontName();
  void SetFontName(const AnsiString& value);
  // The type bits of a listed face (raster 1, device 2, TrueType 4).
  int FontTypeOf(int index);
  TBitmap* TrueTypeMark() const { return trueTypeMark_.get(); }
  TBitmap* PrinterMark() const { return printerMark_.get(); }
  // Fills the list again, keeping the chosen face (what a system font change does).
  void Reload();

  void Click() override;
  void WndProc(TMessage& m) override;

 protected:
  void BeforeDestruction() override;
  void CreateWnd() override;
  void FontChanged() override;
  void Change() override;
  void DrawItem(int index, RECT r, TOwnerDrawState state) override;

 private:
  void ResetItemHeight();
  void FillList();
  void SelectName(const AnsiString& name);
  std::unique_ptr<TBitmap> trueTypeMark_, printerMark_;
  TFontDevice device_ = fdScreen;
  TFontListOptions options_;
  bool updating_ = false;
  AnsiString fontName_;
  HWND fontWatch_ = nullptr;  // hears the system's font-change broadcast

 protected:
  ~TFontComboBox() override;
};

}  // namespace vx
