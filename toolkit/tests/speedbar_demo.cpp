// A window with VornixPro's two speed bars and their glyphs (for looking at them).
// Run with "grey" to see the editing buttons disabled as the frame starts.
#include <cstring>

#include "framework/win/Forms.h"
#include "framework/win/Menus.h"
#include "toolkit/SpeedBar.h"
#include "toolkit/VCLUtils.h"

using namespace vx;

namespace {

void Fill(TForm* form, TSpeedBar* bar, const char* section,
          std::initializer_list<std::pair<const char*, const char*>> items, TPopupMenu* menu) {
  int s = bar->AddSection(section);
  int x = bar->BtnOffsetHorz();
  for (auto [name, caption] : items) {
    auto* item = new TSpeedItem(form);
    item->SetName(name);
    item->SetCaption(caption);
    if (std::unique_ptr<TBitmap> g = LoadResBitmap(GetModuleHandleA(nullptr), name)) item->SetGlyph(g.get());
    bool dropDown = !std::strcmp(name, "siTable") || !std::strcmp(name, "siImage") || !std::strcmp(name, "siFrames") ||
                    !std::strcmp(name, "siFormPop") || !std::strcmp(name, "siWizard") ||
                    !std::strcmp(name, "siCustomTag") || !std::strcmp(name, "siHn");
    if (dropDown) item->SetDropDownMenu(menu);
    bar->AddItem(s, item);
    item->SetLeft(x);
    item->SetTop(bar->BtnOffsetVert());
    item->SetVisible(true);
    x += bar->BtnWidth();
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR cmd, int) {
  auto* form = CreateForm<TForm>(Application);
  form->SetCaption("Vornix speed bars");
  form->SetBounds(10, 10, 594, 200);
  form->SetColor(clTeal);
  auto* menu = new TPopupMenu(form);
  auto* main = new TSpeedBar(form);
  main->SetName("MainToolBar");
  main->SetParent(form);
  main->SetOptions(TSpeedbarOptions{sbFlatBtns, sbGrayedBtns});
  main->SetBtnOffsetVert(2);
  auto* format = new TSpeedBar(form);
  format->SetName("FormatToolBar");
  format->SetParent(form);
  format->SetOptions(TSpeedbarOptions{sbFlatBtns, sbGrayedBtns});
  format->SetTop(40);
  Fill(form, main, "Main Toolbar",
       {{"siNew", "New File"},
        {"siOpen", "Open"},
        {"siSave", "Save"},
        {"reloadSB", "Reload"},
        {"BrowserBtn", "External Browser 1"},
        {"BrowserBtn2", "External Browser 2"},
        {"siCopy", "Copy to Clipboard"},
        {"siCut", "Cut to Clipboard"},
        {"siPaste", "Paste from Clipboard"},
        {"siList", "List"},
        {"siTable", "Table"},
        {"siA", "A"},
        {"siImage", "Image"},
        {"siFont", "FONT"},
        {"siChar", "Character Viewer"},
        {"siFrames", "Frames"},
        {"siFormPop", "Forms"},
        {"siWizard", "Wizards"},
        {"siCustomTag", "Custom Tags"},
        {"siSpellCheck", "Spell Check"}},
       menu);
  Fill(form, format, "Format Toolbar",
       {{"siP", "P"},
        {"siPre", "PRE"},
        {"siCenter", "CENTER"},
        {"siDiv", "DIV"},
        {"siH1", "H1"},
        {"siH2", "H2"},
        {"siHn", "Header Items H3..H6"},
        {"siB", "B"},
        {"siU", "U"},
        {"siI", "I"},
        {"siEm", "EM"},
        {"siCite", "CITE"},
        {"siTT", "TT"},
        {"siSub", "SUB"},
        {"siSup", "SUP"},
        {"siBR", "BR"},
        {"siHR", "HR"}},
       menu);
  if (cmd && std::strstr(cmd, "grey")) {
    // As at start: everything but New, Open and Reload disabled.
    auto disable = [](TSpeedItem* item, void*) {
      if (item->Name() != "siNew" && item->Name() != "siOpen" && item->Name() != "reloadSB") item->SetEnabled(false);
    };
    main->ForEachItem(disable, nullptr);
    format->ForEachItem(disable, nullptr);
  }
  if (cmd && std::strstr(cmd, "raised")) {
    // Every button with its frame, as in customise mode.
    main->SetOptions(TSpeedbarOptions{sbGrayedBtns});
    format->SetOptions(TSpeedbarOptions{sbGrayedBtns});
  }
  form->Show();
  Application->Run();
  return 0;
}
