// Stored values that another program, a damaged file or a user's hand put into the
// registry or an INI file: wrong types, huge texts, numbers out of range. The form still
// opens where it was built, its bar and buttons stay usable, the recent-files list keeps
// only names a file can have; nothing faults.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "framework/win/Forms.h"
#include "framework/win/IniFiles.h"
#include "framework/win/Menus.h"
#include "toolkit/MRUList.h"
#include "toolkit/Placemnt.h"
#include "toolkit/SpeedBar.h"
#include "toolkit/tests/forms_fixture.h"

namespace vx {
namespace {

constexpr const char* kKey = "Software\\VxTestHostileStore";
constexpr const char* kIni = "vxhostilestore.ini";

// The main frame's stored parts: placement, a speed bar, the recent-files list.
class TFrameForm : public TForm {
 public:
  explicit TFrameForm(bool registry) : TForm(nullptr) {
    SetBounds(40, 50, 420, 300);
    Storage = new TFormStorage(this);
    Storage->SetName("FormStorage1");
    Storage->SetUseRegistry(registry);
    Storage->SetIniFileName(registry ? kKey : kIni);
    Bar = new TSpeedBar(this);
    Bar->SetName("MainToolBar");
    Bar->SetParent(this);
    Bar->SetOptions(Bar->Options() + sbAllowDrag + sbAllowResize);
    Bar->SetIniStorage(Storage);
    AddSpeedItems(this, Bar, Bar->AddSection("Main"), {"siNew", "siOpen", "siSave"});
    Reopen = new TMenuItem(this);
    Mru = new TMRUManager(this);
    Mru->SetName("MRUManager");
    Mru->SetIniStorage(Storage);
    Mru->SetRecentMenu(Reopen);
    AfterConstruction();
  }
  const char* ClassName() const override { return "TFrameForm"; }
  TFormStorage* Storage;
  TSpeedBar* Bar;
  TMenuItem* Reopen;
  TMRUManager* Mru;

 protected:
  ~TFrameForm() override = default;
};

void RegValue(const char* section, const char* name, DWORD type, const void* data, DWORD size) {
  HKEY k = nullptr;
  std::string path = std::string(kKey) + "\\" + section;
  ASSERT_EQ(RegCreateKeyExA(HKEY_CURRENT_USER, path.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &k, nullptr),
            ERROR_SUCCESS);
  RegSetValueExA(k, name, 0, type, static_cast<const BYTE*>(data), size);
  RegCloseKey(k);
}
void RegText(const char* section, const char* name, const std::string& text) {
  RegValue(section, name, REG_SZ, text.c_str(), static_cast<DWORD>(text.size() + 1));
}
void RegDword(const char* section, const char* name, DWORD v) { RegValue(section, name, REG_DWORD, &v, sizeof v); }
void RegBinary(const char* section, const char* name) {
  const unsigned char junk[] = {0xFF, 0x00, 0x7F, 0x80, 0x0D, 0x0A, 0x00, 0x41};
  RegValue(section, name, REG_BINARY, junk, sizeof junk);
}
void IniText(const char* section, const char* name, const std::string& text) {
  WritePrivateProfileStringA(section, name, text.c_str(), kIni);
}

class HostileStore : public ::testing::TestWithParam<bool> {
 protected:
  void SetUp() override { Remove(); }
  void TearDown() override { Remove(); }
  void Remove() { RemoveStores(kKey, kIni); }
  bool Registry() const { return GetParam(); }
  // Text values, the same in both stores.
  void Text(const char* section, const char* name, const std::string& text) {
    if (Registry())
      RegText(section, name, text);
    else
      IniText(section, name, text);
  }
};

TEST_P(HostileStore, TheFrameOpensAsBuiltWithWhatCanBeUsed) {
  const std::string huge(200000, '7');
  // Placement: coordinates far off any screen, flags that are no placement flags.
  Text("TFrameForm", "NormPos", "0,0,99999999,2147483647");
  Text("TFrameForm", "MinMaxPos", "99999999999,-99999999999,0xFFFFFFFFF,x");
  Text("TFrameForm", "Flags", "0x7FFFFFF0");
  // The speed bar: an align that is none, a thickness out of every range, a count that
  // would run for ever, button values huge or far off the bar.
  Text("TFrameFormMainToolBar", "Position", "77");
  Text("TFrameFormMainToolBar", "Width", "99999");
  Text("TFrameFormMainToolBar", "Count", "99999999999");
  Text("TFrameFormMainToolBar", "Button1", "siNew," + huge);
  Text("TFrameFormMainToolBar", "Button2", "siOpen,2147483647,-2147483648");
  Text("TFrameFormMainToolBar", "Button3", "siSave,51,3");
  // Recent files: a name no file can have, and one that is fine.
  Text("TFrameForm.MRUManager", "Item_0", std::string(5000, 'a'));
  Text("TFrameForm.MRUManager", "Item_1", "C:\\web\\a\tb.htm");
  Text("TFrameForm.MRUManager", "Item_2", "C:\\web\\index.htm");
  if (Registry()) {
    // Values of the wrong type.
    RegBinary("TFrameForm", "ShowCmd");
    RegBinary("TFrameFormMainToolBar", "BtnWidth");
    RegDword("TFrameFormMainToolBar", "BtnHeight", 0xFFFFFFFF);
    RegBinary("TFrameForm.MRUManager", "Item_3");
  }

  TComponentPtr<TFrameForm> fHolder = MakeComponent<TFrameForm>(Registry());
  TFrameForm& f = *fHolder;
  int barHeight = f.Bar->Height();
  int openLeft = f.Bar->FindItemByName("siOpen")->Left();
  f.Show();
  Pump();
  // The window is on the work area at a size it can have.
  RECT r{}, work{};
  GetWindowRect(f.Handle(), &r);
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  EXPECT_LE(r.right - r.left, work.right - work.left);
  EXPECT_LE(r.bottom - r.top, work.bottom - work.top);
  EXPECT_GT(r.right - r.left, 0);
  // The bar on top at its own thickness; a button stays where it was built, on the bar.
  EXPECT_EQ(f.Bar->Align(), alTop);
  EXPECT_EQ(f.Bar->Height(), barHeight);
  TSpeedItem* open = f.Bar->FindItemByName("siOpen");
  EXPECT_EQ(open->Left(), openLeft);
  EXPECT_TRUE(open->Visible());
  POINT mid = f.Bar->ClientToScreen(POINT{open->Left() + 10, open->Top() + 10});
  EXPECT_EQ(FindDragTarget(mid, true), open->Button());
  EXPECT_TRUE(f.Bar->FindItemByName("siSave")->Visible());
  // Only the name a file can have comes back.
  ASSERT_EQ(f.Mru->Strings()->Count(), 1);
  EXPECT_EQ(f.Mru->Strings()->Strings(0), "C:\\web\\index.htm");
  f.Hide();
}

INSTANTIATE_TEST_SUITE_P(Stores, HostileStore, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Registry" : "IniFile"; });

}  // namespace
}  // namespace vx
