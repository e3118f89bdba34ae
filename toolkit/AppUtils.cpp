#include "toolkit/AppUtils.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>

#include "framework/win/Forms.h"
#include "framework/win/IniFiles.h"
#include "toolkit/StoredValues.h"

namespace vx {

namespace {

AnsiString ProgramFileName() {
  char path[MAX_PATH] = {};
  GetModuleFileNameA(nullptr, path, MAX_PATH);
  AnsiString s = path;
  size_t slash = s.find_last_of("\\/:");
  return slash == AnsiString::npos ? s : s.substr(slash + 1);
}

AnsiString WithoutExtension(const AnsiString& name) {
  size_t dot = name.rfind('.');
  return dot == AnsiString::npos ? name : name.substr(0, dot);
}

TForm* ParentFormOf(TControl* control) {
  for (TControl* c = control ? control->Parent() : nullptr; c; c = c->Parent())
    if (auto* f = dynamic_cast<TForm*>(c)) return f;
  return nullptr;
}

AnsiString Format4(int a, int b, int c, int d) {
  char buf[64];
  std::snprintf(buf, sizeof buf, "%d,%d,%d,%d", a, b, c, d);
  return buf;
}

TCustomIniFile* AsStore(TObject* store) { return dynamic_cast<TCustomIniFile*>(store); }

// A top-level rectangle (workspace coordinates) that no monitor shows is moved onto the
// primary work area, so a window stored on a screen since removed can be reached.
void KeepOnScreen(TForm* form, RECT& rc) {
  if (form->FormStyle() == fsMDIChild) {
    // A document window stored in a larger frame is moved and shrunk into the client area
    // it now has, so that its edges and scroll bars can be reached.
    RECT area{};
    HWND client = GetParent(form->Handle());
    if (!client || !GetClientRect(client, &area) || area.right <= 0 || area.bottom <= 0) return;
    int w = std::min<int>(rc.right - rc.left, area.right), h = std::min<int>(rc.bottom - rc.top, area.bottom);
    int left = std::max<int>(0, std::min<int>(rc.left, area.right - w));
    int top = std::max<int>(0, std::min<int>(rc.top, area.bottom - h));
    rc = RECT{left, top, left + w, top + h};
    return;
  }
  RECT work{};
  SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
  bool tool = (GetWindowLongA(form->Handle(), GWL_EXSTYLE) & WS_EX_TOOLWINDOW) != 0;
  int dx = tool ? 0 : work.left, dy = tool ? 0 : work.top;
  RECT screen{rc.left + dx, rc.top + dy, rc.right + dx, rc.bottom + dy};
  if (MonitorFromRect(&screen, MONITOR_DEFAULTTONULL)) return;
  int w = std::min<int>(rc.right - rc.left, work.right - work.left);
  int h = std::min<int>(rc.bottom - rc.top, work.bottom - work.top);
  int left = std::max<int>(work.left, std::min<int>(screen.left, work.right - w));
  int top = std::max<int>(work.top, std::min<int>(screen.top, work.bottom - h));
  rc = RECT{left - dx, top - dy, left - dx + w, top - dy + h};
}

}  // namespace

AnsiString DefaultStorageSection(TComponent* component) {
  if (!component) return AnsiString();
  if (dynamic_cast<TForm*>(component)) return component->ClassName();
  if (auto* control = dynamic_cast<TControl*>(component)) {
    if (TForm* form = ParentFormOf(control)) return form->ClassName() + control->Name();
    if (control->Parent()) return control->Parent()->Name() + control->Name();
    return control->Name();
  }
  if (auto* owner = dynamic_cast<TForm*>(component->Owner()))
    return AnsiString(owner->ClassName()) + "." + component->Name();
  return component->Name();
}

AnsiString DefaultIniFileName() { return WithoutExtension(ProgramFileName()) + ".INI"; }

AnsiString DefaultRegistryKey() { return "Software\\" + WithoutExtension(ProgramFileName()); }

AnsiString StorageReadString(TObject* store, const AnsiString& section, const AnsiString& key,
                             const AnsiString& deflt) {
  if (TCustomIniFile* s = AsStore(store)) return s->ReadString(section, key, deflt);
  return deflt;
}

void StorageWriteString(TObject* store, const AnsiString& section, const AnsiString& key, const AnsiString& value) {
  if (TCustomIniFile* s = AsStore(store)) s->WriteString(section, key, value);
}

int StorageReadInteger(TObject* store, const AnsiString& section, const AnsiString& key, int deflt) {
  if (TCustomIniFile* s = AsStore(store)) return s->ReadInteger(section, key, deflt);
  return deflt;
}

void StorageWriteInteger(TObject* store, const AnsiString& section, const AnsiString& key, int value) {
  if (TCustomIniFile* s = AsStore(store)) s->WriteInteger(section, key, value);
}

void StorageEraseSection(TObject* store, const AnsiString& section) {
  if (TCustomIniFile* s = AsStore(store)) s->EraseSection(section);
}

void SaveFormWindowState(TForm* form, TObject* store, const AnsiString& section) {
  if (!form) return;
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  GetWindowPlacement(form->Handle(), &wp);
  // The main form stands for the whole program: minimised, it is stored as such.
  if (Application && form == Application->MainForm() && IsIconic(form->Handle())) wp.showCmd = SW_SHOWMINIMIZED;
  if (form->FormStyle() == fsMDIChild && form->WindowState() == wsMinimized) wp.flags |= WPF_SETMINPOSITION;
  StorageWriteInteger(store, section, "Flags", static_cast<int>(wp.flags));
  StorageWriteInteger(store, section, "ShowCmd", static_cast<int>(wp.showCmd));
  StorageWriteString(store, section, "MinMaxPos",
                     Format4(wp.ptMinPosition.x, wp.ptMinPosition.y, wp.ptMaxPosition.x, wp.ptMaxPosition.y));
  StorageWriteString(store, section, "NormPos",
                     Format4(wp.rcNormalPosition.left, wp.rcNormalPosition.top, wp.rcNormalPosition.right,
                             wp.rcNormalPosition.bottom));
}

void LoadFormWindowState(TForm* form, TObject* store, const AnsiString& section, bool loadPosition, bool loadState) {
  if (!form || (!loadPosition && !loadState)) return;
  HWND wnd = form->Handle();
  WINDOWPLACEMENT wp{};
  wp.length = sizeof wp;
  GetWindowPlacement(wnd, &wp);
  // Applying the record must not show a hidden window, nor change a shown one's state.
  if (!IsWindowVisible(wnd))
    wp.showCmd = SW_HIDE;
  else if (wp.showCmd == SW_SHOWMINIMIZED)
    wp.showCmd = SW_SHOWMINNOACTIVE;
  else if (wp.showCmd != SW_SHOWMAXIMIZED)
    wp.showCmd = SW_SHOWNOACTIVATE;

  if (loadPosition) {
    wp.flags = static_cast<UINT>(
        StoredPlacementFlags(StorageReadString(store, section, "Flags", AnsiString()), static_cast<int>(wp.flags)));
    bool found = false;
    AnsiString s = StorageReadString(store, section, "MinMaxPos", AnsiString());
    if (!s.empty()) {
      found = true;
      int v[4] = {0, 0, 0, 0};
      StoredPlacementWords(s, v);
      wp.ptMinPosition = POINT{v[0], v[1]};
      wp.ptMaxPosition = POINT{v[2], v[3]};
    }
    s = StorageReadString(store, section, "NormPos", AnsiString());
    if (!s.empty()) {
      found = true;
      int v[4] = {form->Left(), form->Top(), form->Left() + form->Width(), form->Top() + form->Height()};
      StoredPlacementWords(s, v);
      wp.rcNormalPosition = RECT{v[0], v[1], v[2], v[3]};
    }
    if (found) {
      TFormBorderStyle bs = form->BorderStyle();
      if (bs != bsSizeable && bs != bsSizeToolWin) {
        // Dialogs and fixed borders keep their designed size.
        wp.rcNormalPosition.right = wp.rcNormalPosition.left + form->Width();
        wp.rcNormalPosition.bottom = wp.rcNormalPosition.top + form->Height();
      }
      if (wp.rcNormalPosition.right > wp.rcNormalPosition.left) {
        KeepOnScreen(form, wp.rcNormalPosition);
        SetWindowPlacement(wnd, &wp);
      }
    }
  }

  if (loadState) {
    bool isMain = Application && form == Application->MainForm();
    TWindowState state = wsNormal;
    if (isMain && form->FormStyle() == fsMDIForm) state = wsMaximized;
    switch (StorageReadInteger(store, section, "ShowCmd", 0)) {
      case SW_SHOWNORMAL:
      case SW_SHOW:
      case SW_RESTORE: state = wsNormal; break;
      case SW_SHOWMINIMIZED:
      case SW_MINIMIZE: state = wsMinimized; break;
      case SW_SHOWMAXIMIZED: state = wsMaximized; break;
      default: break;
    }
    if (state == wsMinimized && isMain) {
      // The whole program goes to the task bar: the main form's window is the program's
      // task-bar window, so the minimise is posted to it once it is shown.
      if (!IsWindowVisible(wnd)) form->SetWindowState(wsNormal);
      PostMessageA(wnd, WM_SYSCOMMAND, SC_MINIMIZE, 0);
      return;
    }
    // A form not yet on screen only takes the state; it applies when the window shows.
    form->SetWindowState(state);
  }
  form->Update();
}

}  // namespace vx
