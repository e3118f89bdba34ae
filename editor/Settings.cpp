#include "editor/Settings.h"

#include <algorithm>
#include <functional>
#include <vector>

#include "editor/H_optns.h"
#include "framework/win/IniFiles.h"
#include "toolkit/StoredValues.h"

namespace vx {

const char* const VornixRegKey = "Software\\Marrowby\\Vornix";

namespace {

// One stored option: where it lives, how it reads and writes. The table's order is the
// order of reading and writing.
struct Option {
  const char* section;
  const char* key;
  std::function<void(TSettings&, TCustomIniFile&)> load, save;
};

// Values are read as text and converted here: whatever type or size a value has in the
// registry, one that does not fit gives the default.
AnsiString Text(TCustomIniFile& f, const char* sec, const char* key) { return f.ReadString(sec, key, AnsiString()); }

Option Bool(const char* sec, const char* key, bool def, bool (TSettings::*get)() const,
            void (TSettings::*set)(const bool&)) {
  return {sec, key, [=](TSettings& s, TCustomIniFile& f) { (s.*set)(StoredBool(Text(f, sec, key), def)); },
          [=](TSettings& s, TCustomIniFile& f) { f.WriteBool(sec, key, (s.*get)()); }};
}

Option Str(const char* sec, const char* key, const char* def, AnsiString (TSettings::*get)() const,
           void (TSettings::*set)(const AnsiString&)) {
  return {sec, key, [=](TSettings& s, TCustomIniFile& f) { (s.*set)(StoredText(f.ReadString(sec, key, def), def)); },
          [=](TSettings& s, TCustomIniFile& f) { f.WriteString(sec, key, (s.*get)()); }};
}

Option Int(const char* sec, const char* key, int def, int (TSettings::*get)() const, void (TSettings::*set)(const int&),
           int lo = INT32_MIN, int hi = INT32_MAX) {
  return {sec, key,
          [=](TSettings& s, TCustomIniFile& f) { (s.*set)(StoredIntIn(Text(f, sec, key), def, lo, hi)); },
          [=](TSettings& s, TCustomIniFile& f) { f.WriteInteger(sec, key, (s.*get)()); }};
}

Option Color(const char* sec, const char* key, int def, int (TSettings::*get)() const,
             void (TSettings::*set)(const int&)) {
  return {sec, key, [=](TSettings& s, TCustomIniFile& f) { (s.*set)(StoredColor(Text(f, sec, key), def)); },
          [=](TSettings& s, TCustomIniFile& f) { f.WriteInteger(sec, key, (s.*get)()); }};
}

const std::vector<Option>& Options() {
  using S = TSettings;
  static const std::vector<Option> table = {
      Bool("Window", "MainTB", true, &S::MainTB, &S::SetMainTB),
      Bool("Window", "FormatTB", true, &S::FormatTB, &S::SetFormatTB),
      Bool("ExtBrowser", "UseDDE", true, &S::UseDDE, &S::SetUseDDE),
      Str("ExtBrowser", "Browser", "", &S::Browser, &S::SetBrowser),
      Bool("ExtBrowser", "UseDDE2", true, &S::UseDDE2, &S::SetUseDDE2),
      Str("ExtBrowser", "Browser2", "", &S::Browser2, &S::SetBrowser2),
      Str("Dialog", "DocExt", "html", &S::DocExt, &S::SetDocExt),
      Str("Dialog", "DocFilter", "HTML files (*.html)|*.html|HTM Files (*.htm)|*.htm|All Files|*.*", &S::DocFilter,
          &S::SetDocFilter),
      Str("Dialog", "ImgExt", "jpg", &S::ImgExt, &S::SetImgExt),
      Str("Dialog", "ImgFilter", "JPeg Images (*.jpg)|*.jpg|Gif Images (*.gif)|*.gif|All Images|*.*", &S::ImgFilter,
          &S::SetImgFilter),
      Str("Editor", "Font", "Courier New", &S::Font, &S::SetFont),
      Int("Editor", "FontSize", 10, &S::FontSize, &S::SetFontSize, S::MinFontSize, S::MaxFontSize),
      Color("Editor", "FontColor", 0, &S::FontColor, &S::SetFontColor),
      Color("Editor", "Syntax", 32768, &S::Syntax, &S::SetSyntax),
      Color("Editor", "Comment", 128, &S::Comment, &S::SetComment),
      Color("Editor", "Quoted", 16711680, &S::Quoted, &S::SetQuoted),
      Color("Editor", "BG", 16777215, &S::BG, &S::SetBG),
      Int("Editor", "HTab", 3, &S::HTab, &S::SetHTab, S::MinTab, S::MaxTab),
      Bool("Editor", "SyntaxC", true, &S::SyntaxC, &S::SetSyntaxC),
      Bool("Editor", "Mac", false, &S::Mac, &S::SetMac),
      Bool("Editor", "Unix", false, &S::Unix, &S::SetUnix),
      Bool("Editor", "CreateBAK", true, &S::CreateBAK, &S::SetCreateBAK),
      Bool("Editor", "LowerCase", true, &S::LowerCase, &S::SetLowerCase),
      Bool("Editor", "WordWrap", true, &S::WordWrap, &S::SetWordWrap),
      Str("Editor", "DefaultDir", "", &S::DefaultDir, &S::SetDefaultDir),
      Bool("Editor", "AutoIndent", true, &S::AutoIndent, &S::SetAutoIndent),
      Color("Browser", "BG", -2147483633, &S::BrowserBG, &S::SetBrowserBG),
      Color("Browser", "FontColor", 0, &S::BrowserFontColor, &S::SetBrowserFontColor),
      Str("Browser", "Font", "Arial", &S::BrowserFont, &S::SetBrowserFont),
      Int("Browser", "FontSize", 8, &S::BrowserFontSize, &S::SetBrowserFontSize, S::MinFontSize, S::MaxFontSize),
      Color("Browser", "HotSpot", 16711680, &S::HotSpot, &S::SetHotSpot),
      Str("Browser", "PreFont", "Courier", &S::PreFont, &S::SetPreFont),
  };
  return table;
}

}  // namespace

TSettings::TSettings() { LoadFromRegistry(); }

TSettings::~TSettings() {
  // A destructor must not throw: a registry that refuses the values loses them.
  try {
    SaveToRegistry();
  } catch (...) {}
}

void TSettings::LoadFrom(TCustomIniFile& ini) {
  for (const Option& o : Options()) o.load(*this, ini);
}

void TSettings::SaveTo(TCustomIniFile& ini) {
  for (const Option& o : Options()) o.save(*this, ini);
}

void TSettings::LoadFromRegistry() {
  TRegIniFile reg(VornixRegKey);
  LoadFrom(reg);
}

void TSettings::SaveToRegistry() {
  TRegIniFile reg(VornixRegKey);
  SaveTo(reg);
}

bool TSettings::Edit() { return EditSettings(*this); }

}  // namespace vx
