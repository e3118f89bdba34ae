// VornixPro's options: read from the registry once when the object is made and written
// back, every one of them, when it is freed.
#pragma once

#include <functional>

#include "framework/core/Classes.h"
#include "framework/win/Graphics.h"

namespace vx {

class TCustomIniFile;

// The key below the current user that holds the options and the forms' stored values.
extern const char* const VornixRegKey;

#define VX_SETTING(Type, Name)                      \
 public:                                            \
  Type Name() const { return f##Name##_; }          \
  void Set##Name(const Type& v) { f##Name##_ = v; } \
                                                    \
 private:                                           \
  Type f##Name##_

class TSettings : public TPersistent {
 public:
  TSettings();
  ~TSettings() override;
  const char* ClassName() const override { return "TSettings"; }

  void LoadFromRegistry();
  void SaveToRegistry();
  void LoadFrom(TCustomIniFile& ini);
  void SaveTo(TCustomIniFile& ini);
  // The options dialog; true when it ended with OK.
  bool Edit();

  // Values the editor control can take; stored values outside are pulled in on loading.
  static constexpr int MinTab = 1, MaxTab = 40, MinFontSize = 4, MaxFontSize = 72;

  VX_SETTING(bool, MainTB);
  VX_SETTING(bool, FormatTB);
  VX_SETTING(bool, UseDDE);
  VX_SETTING(AnsiString, Browser);
  VX_SETTING(bool, UseDDE2);
  VX_SETTING(AnsiString, Browser2);
  VX_SETTING(bool, CreateBAK);
  VX_SETTING(bool, LowerCase);
  VX_SETTING(bool, WordWrap);
  VX_SETTING(AnsiString, DefaultDir);
  VX_SETTING(AnsiString, Font);
  VX_SETTING(int, FontSize);
  VX_SETTING(TColor, FontColor);
  VX_SETTING(TColor, Syntax);
  VX_SETTING(TColor, Comment);
  VX_SETTING(TColor, Quoted);
  VX_SETTING(TColor, BG);
  VX_SETTING(int, HTab);
  VX_SETTING(bool, SyntaxC);
  VX_SETTING(bool, Mac);
  VX_SETTING(bool, Unix);
  VX_SETTING(TColor, BrowserBG);
  VX_SETTING(TColor, BrowserFontColor);
  VX_SETTING(AnsiString, BrowserFont);
  VX_SETTING(int, BrowserFontSize);
  VX_SETTING(TColor, HotSpot);
  VX_SETTING(AnsiString, PreFont);
  VX_SETTING(AnsiString, DocExt);
  VX_SETTING(AnsiString, DocFilter);
  VX_SETTING(AnsiString, ImgExt);
  VX_SETTING(AnsiString, ImgFilter);
  VX_SETTING(bool, AutoIndent);
};

#undef VX_SETTING

}  // namespace vx
