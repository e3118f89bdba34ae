#include "toolkit/SpeedBar.h"

#include <algorithm>
#include <cmath>

#include "framework/core/Scoped.h"
#include "framework/core/SysUtils.h"
#include "framework/win/Forms.h"
#include "toolkit/AppUtils.h"
#include "toolkit/SbSetup.h"
#include "toolkit/StoredValues.h"
#include "toolkit/StrUtils.h"

namespace vx {

namespace {

// A stored layout never names more buttons than this: a damaged "Count" cannot keep
// the program reading for ever.
constexpr int kMaxStoredButtons = 1024;

void InstallDragCursor() {
  static bool done = false;
  if (done || !Screen) return;
  done = true;
  if (HCURSOR c = LoadCursorA(GetModuleHandleA(nullptr), "SB_DRAG")) Screen->SetCursors(crDragHand, c);
}

}  // namespace

// ---- TSpeedbarButton ------------------------------------------------------------------

TSpeedbarButton::TSpeedbarButton(TSpeedItem* item) : TZxSpeedButton(item), item_(item) {
  SetVisible(false);
  SetStyle(bsNew);
  SetParentShowHint(true);
}

TSpeedbarButton::~TSpeedbarButton() = default;

void TSpeedbarButton::SetBounds(int l, int t, int w, int h) {
  if (item_ && item_->SpeedBar()) {
    TSpeedBar* bar = item_->SpeedBar();
    if (bar->Orientation() == boHorizontal)
      t = std::max(t, bar->BtnOffsetVert());
    else
      l = std::max(l, bar->BtnOffsetHorz());
  }
  TZxSpeedButton::SetBounds(l, t, w, h);
}

void TSpeedbarButton::Paint() {
  if (item_ && item_->Visible()) TZxSpeedButton::Paint();
}

// ---- TSpeedItem ---------------------------------------------------------------------

TSpeedItem::TSpeedItem(TComponent* owner)
    : TComponent(owner),
      button_(new TSpeedbarButton(this)),
      OnClick(button_->OnClick),
      OnDblClick(button_->OnDblClick),
      OnMouseDown(button_->OnMouseDown),
      OnMouseMove(button_->OnMouseMove),
      OnMouseUp(button_->OnMouseUp) {
  button_->SetBounds(0, 0, 24, 23);
  button_->SetSpacing(4);
  button_->SetShowHint(true);
}

TSpeedItem::~TSpeedItem() = default;

void TSpeedItem::BeforeDestruction() {
  if (Destroying()) {
    TComponent::BeforeDestruction();
    return;
  }
  visible_ = false;
  if (button_) {
    button_->SetVisible(false);
    button_->SetParent(nullptr);
  }
  if (bar_) bar_->RemoveItem(this);
  TComponent::BeforeDestruction();  // frees the button, which we own
  button_ = nullptr;
}

void TSpeedItem::SetCaption(const AnsiString& value) {
  AnsiString oldHint = Hint();
  bool follows;
  auto* ownerControl = dynamic_cast<TControl*>(Owner());
  if (!ownerControl)
    follows = true;
  else
    follows = !ownerControl->ComponentState().Contains(csLoading) && caption_ == GetShortHint(oldHint);
  caption_ = value;
  if (!follows) return;
  if (value.find('|') != AnsiString::npos) {
    if (!GetLongHint(value).empty())
      SetHint(value);
    else
      SetHint(GetShortHint(value) + "|" + GetLongHint(oldHint));
  } else if (oldHint.find('|') != AnsiString::npos) {
    SetHint(value + "|" + GetLongHint(oldHint));
  } else {
    SetHint(value + "|");
  }
}

void TSpeedItem::SetName(const AnsiString& name) {
  AnsiString old = Name();
  auto* ownerControl = dynamic_cast<TControl*>(Owner());
  bool follow = old == caption_ && (!ownerControl || !ownerControl->ComponentState().Contains(csLoading));
  TComponent::SetName(name);
  if (follow) SetCaption(name);
}

void TSpeedItem::UpdateButtonVisible() {
  bool show = visible_ && (!bar_ || bar_->Visible() || ComponentState().Contains(csDesigning));
  button_->SetVisible(show);
  button_->SetParent(show ? bar_ : nullptr);
}

void TSpeedItem::SetVisible(bool v) {
  if (v == visible_ && v == button_->Visible() && (button_->Parent() || !v)) return;
  visible_ = v;
  UpdateButtonVisible();
}

void TSpeedItem::UpdateButtonEnabled() {
  if (editing_) {
    button_->SetEnabled(true);
    return;
  }
  button_->SetEnabled(enabled_ && (!bar_ || bar_->Enabled()));
}

void TSpeedItem::SetEnabled(bool v) {
  enabled_ = v;
  UpdateButtonEnabled();
}

void TSpeedItem::SetEditing(bool v) {
  editing_ = v;
  if (v) {
    button_->SetEnabled(true);
    button_->SetFlat(false);
  } else {
    UpdateButtonEnabled();
    button_->SetFlat(bar_ && bar_->Options().Contains(sbFlatBtns));
  }
}

void TSpeedItem::SetLeft(int v) {
  int w = bar_ ? bar_->BtnWidth() : button_->Width();
  int h = bar_ ? bar_->BtnHeight() : button_->Height();
  button_->SetBounds(v, button_->Top(), w, h);
}

void TSpeedItem::SetTop(int v) {
  int w = bar_ ? bar_->BtnWidth() : button_->Width();
  int h = bar_ ? bar_->BtnHeight() : button_->Height();
  button_->SetBounds(button_->Left(), v, w, h);
}

void TSpeedItem::ButtonClick() { button_->Click(); }

// ---- TSpeedBar: sections and items -------------------------------------------------

TSpeedBar::TSpeedBar(TComponent* owner) : TCustomPanel(owner), iniLink_(std::make_unique<TIniLink>()) {
  InstallDragCursor();
  SetBevelInner(bvNone);
  SetBevelOuter(bvRaised);
  SetBevelWidth(1);
  SetBorderWidth(0);
  SetParentShowHint(false);
  SetShowHint(true);
  btnOffsetHorz_ = btnOffsetVert_ = MinButtonOffset();
  StoreBounds(0, 0, 185, 2 * btnOffsetVert_ + btnHeight_);
  TControl::SetAlign(alTop);
  storedAlign_ = alTop;
  UpdateGridSize();
  wallpaper_.OnChange = [this](TObject*) { Invalidate(); };
  iniLink_->OnSave = [this](TObject* s) { IniSave(s); };
  iniLink_->OnLoad = [this](TObject* s) { IniLoad(s); };
}

TSpeedBar::~TSpeedBar() = default;

void TSpeedBar::BeforeDestruction() {
  if (Destroying()) {
    TCustomPanel::BeforeDestruction();
    return;
  }
  // The link and the wallpaper go first; the attached window hears of the end while
  // the bar and its items are still whole.
  if (iniLink_) {
    iniLink_->OnSave = nullptr;
    iniLink_->OnLoad = nullptr;
    iniLink_->SetStorage(nullptr);
  }
  wallpaper_.OnChange = nullptr;
  if (setupWindow_) {
    HWND w = setupWindow_;
    setupWindow_ = nullptr;
    SendMessageA(w, CM_SPEEDBARCHANGED, SBR_DESTROYED, reinterpret_cast<LPARAM>(this));
  }
  RemoveAllSections();
  TCustomPanel::BeforeDestruction();
}

int TSpeedBar::AddSection(const AnsiString& name) {
  for (int i = 0; i < SectionCount(); ++i)
    if (CompareText(sections_[i].name, name) == 0) return i;
  sections_.push_back(Section{name, nullptr});
  return SectionCount() - 1;
}

AnsiString TSpeedBar::Sections(int index) const {
  if (index < 0 || index >= SectionCount()) throw EStringListError(Format("List index out of bounds (%d)", index));
  return sections_[index].name;
}

void TSpeedBar::RemoveSection(int index) {
  if (index < 0 || index >= SectionCount()) throw EStringListError(Format("List index out of bounds (%d)", index));
  std::unique_ptr<std::vector<TSpeedItem*>> list = std::move(sections_[index].items);
  sections_.erase(sections_.begin() + index);
  if (list) {
    for (TSpeedItem* item : *list) {
      item->button_->SetParent(nullptr);
      item->bar_ = nullptr;
      item->section_ = -1;
    }
    for (TSpeedItem* item : *list) item->Free();
  }
  // Later sections moved down by one.
  for (int s = index; s < SectionCount(); ++s)
    if (sections_[s].items)
      for (TSpeedItem* item : *sections_[s].items) item->section_ = s;
}

void TSpeedBar::RemoveAllSections() {
  while (!sections_.empty()) RemoveSection(SectionCount() - 1);
}

void TSpeedBar::AddItem(int section, TSpeedItem* item) {
  if (!item || item->bar_ == this) return;
  if (item->bar_) item->bar_->RemoveItem(item);
  if (sections_.empty()) {
    section = AddSection("");
  } else if (section < 0 || section >= SectionCount()) {
    throw EStringListError(Format("List index out of bounds (%d)", section));
  }
  auto& list = sections_[section].items;
  if (!list) list = std::make_unique<std::vector<TSpeedItem*>>();
  list->push_back(item);
  item->bar_ = this;
  item->section_ = section;
  TSpeedbarButton* b = item->button_;
  b->SetFlat(options_.Contains(sbFlatBtns));
  b->SetTransparent(options_.Contains(sbTransparentBtns));
  b->SetGrayedInactive(options_.Contains(sbGrayedBtns));
  if (!Loading()) b->SetBounds(b->Left(), b->Top(), btnWidth_, btnHeight_);
  item->SetEditing(setupWindow_ != nullptr);
  b->SetParent(nullptr);
}

void TSpeedBar::RemoveItem(TSpeedItem* item) {
  int s, i;
  if (!item || !FindItem(item, s, i)) return;
  item->button_->SetParent(nullptr);
  item->bar_ = nullptr;
  item->section_ = -1;
  sections_[s].items->erase(sections_[s].items->begin() + i);
}

bool TSpeedBar::FindItem(TSpeedItem* item, int& section, int& index) const {
  for (int s = 0; s < SectionCount(); ++s) {
    const auto& list = sections_[s].items;
    if (!list) continue;
    auto it = std::find(list->begin(), list->end(), item);
    if (it != list->end()) {
      section = s;
      index = static_cast<int>(it - list->begin());
      return true;
    }
  }
  section = -1;
  index = -1;
  return false;
}

TSpeedItem* TSpeedBar::Items(int section, int index) const {
  if (section < 0 || section >= SectionCount() || !sections_[section].items) return nullptr;
  const auto& list = *sections_[section].items;
  if (index < 0 || index >= static_cast<int>(list.size())) return nullptr;
  return list[index];
}

int TSpeedBar::ItemsCount(int section) const {
  if (section < 0 || section >= SectionCount() || !sections_[section].items) return 0;
  return static_cast<int>(sections_[section].items->size());
}

TSpeedItem* TSpeedBar::FindItemByName(const AnsiString& name) const {
  TSpeedItem* found = nullptr;
  ForEachItem(
      [&](TSpeedItem* item, void*) {
        if (!found && CompareText(item->Name(), name) == 0) found = item;
      },
      nullptr);
  return found;
}

void TSpeedBar::ForEachItem(const TForEachItemProc& proc, void* data) const {
  for (const Section& s : sections_)
    if (s.items)
      for (size_t i = 0; i < s.items->size(); ++i) proc((*s.items)[i], data);
}

// ---- placement ------------------------------------------------------------------------

int TSpeedBar::MinButtonOffset() const {
  int o = BorderWidth() + 2;
  if (BevelOuter() != bvNone) o += BevelWidth();
  if (BevelInner() != bvNone) o += BevelWidth();
  return o;
}

TBarOrientation TSpeedBar::Orientation() const {
  if (position_ == bpCustom) return orientation_;
  switch (Align()) {
    case alTop:
    case alBottom: return boHorizontal;
    case alLeft:
    case alRight: return boVertical;
    default: return orientation_;
  }
}

void TSpeedBar::SetPosition(TBarPosition p) {
  if (p == position_) return;
  position_ = p;
  if (p == bpAuto) {
    if (Align() == alTop || Align() == alBottom)
      SetOrientation(boHorizontal);
    else if (Align() == alLeft || Align() == alRight)
      SetOrientation(boVertical);
  }
}

void TSpeedBar::UpdateGridSize() {
  int b = Orientation() == boHorizontal ? btnWidth_ : btnHeight_;
  int s = std::max(1, std::min(8, b / 3));
  while (b % s != 0) ++s;
  if (s == b && b > 1) {
    --s;
    while (s > 1 && b % s != 0) --s;
  }
  if (Orientation() == boHorizontal) {
    gridX_ = s;
    gridY_ = btnHeight_;
  } else {
    gridY_ = s;
    gridX_ = btnWidth_;
  }
}

void TSpeedBar::SetOptions(TSpeedbarOptions o) {
  if (o == options_) return;
  options_ = o;
  ForEachItem(
      [this](TSpeedItem* item, void*) {
        TSpeedbarButton* b = item->button_;
        b->SetFlat(options_.Contains(sbFlatBtns) && !item->Editing());
        b->SetTransparent(options_.Contains(sbTransparentBtns));
        b->SetGrayedInactive(options_.Contains(sbGrayedBtns));
      },
      nullptr);
  UpdateGridSize();
  Invalidate();
}

void TSpeedBar::SetButtonSize(int width, int height) {
  if (width < 1) width = 1;
  if (height < 1) height = 1;
  if (width == btnWidth_ && height == btnHeight_) return;
  btnWidth_ = width;
  btnHeight_ = height;
  UpdateGridSize();
  if (Orientation() == boHorizontal)
    SetClientHeight(std::max(ClientHeight(), 2 * btnOffsetVert_ + btnHeight_));
  else
    SetClientWidth(std::max(ClientWidth(), 2 * btnOffsetHorz_ + btnWidth_));
  ApplyButtonSize();
}

void TSpeedBar::ApplyButtonSize() {
  ForEachItem(
      [this](TSpeedItem* item, void*) {
        TSpeedbarButton* b = item->button_;
        b->SetBounds(b->Left(), b->Top(), btnWidth_, btnHeight_);
      },
      nullptr);
  NotifySetupWindow(SBR_BTNSIZECHANGED, reinterpret_cast<LPARAM>(this));
}

void TSpeedBar::ShiftButtons(int dx, int dy) {
  if (dx == 0 && dy == 0) return;
  ForEachItem(
      [&](TSpeedItem* item, void*) {
        TSpeedbarButton* b = item->button_;
        b->SetBounds(b->Left() + dx, b->Top() + dy, btnWidth_, btnHeight_);
      },
      nullptr);
}

void TSpeedBar::SetButtonOffset(int value, bool horizontal) {
  value = std::max(value, MinButtonOffset());
  int& offset = horizontal ? btnOffsetHorz_ : btnOffsetVert_;
  int diff = value - offset;
  if (diff == 0) return;
  offset = value;
  ShiftButtons(horizontal ? diff : 0, horizontal ? 0 : diff);
}

void TSpeedBar::AlignControls(TControl* control, RECT& rect) {
  TCustomPanel::AlignControls(control, rect);
  int m = MinButtonOffset();
  int dx = btnOffsetHorz_ < m ? m - btnOffsetHorz_ : 0;
  int dy = btnOffsetVert_ < m ? m - btnOffsetVert_ : 0;
  btnOffsetHorz_ += dx;
  btnOffsetVert_ += dy;
  if (!Loading()) ShiftButtons(dx, dy);
}

void TSpeedBar::SetAlign(TAlign a) {
  if (Loading() && a == alNone && position_ == bpAuto) {
    // An old layout without dock: Loaded puts the bar at the top.
    oldAlign_ = true;
    return;
  }
  if (a == storedAlign_ && a == Align()) return;
  if (position_ == bpAuto && (a == alNone || a == alClient))
    throw EInvalidOperation("Cannot set this property value while Position is bpAuto");
  int w = Width(), h = Height();
  TBarOrientation before = orientation_;
  TBarOrientation after = before;
  if (position_ == bpAuto) {
    if (a == alTop || a == alBottom)
      after = boHorizontal;
    else if (a == alLeft || a == alRight)
      after = boVertical;
  }
  TControl::SetAlign(a);
  if (Loading()) {
    SetBounds(Left(), Top(), w, h);
  } else if (after != before) {
    // The bar keeps its thickness when it turns to another side.
    if (after == boVertical)
      SetWidth(h);
    else
      SetHeight(w);
  }
  if (after != before) SetOrientation(after);
  storedAlign_ = Align();
  if (Parent()) Parent()->Realign();
}

void TSpeedBar::SetOrientation(TBarOrientation o) {
  // orientation_ is what the buttons stand in; a new align may already say otherwise.
  if (o == orientation_) return;
  if (ComponentState().Contains(csReading)) {
    orientation_ = o;
    return;
  }
  updating_ = true;
  bool redraw = HandleAllocated();
  if (redraw) SendMessageA(Handle(), WM_SETREDRAW, FALSE, 0);
  {
    // A failure half-way still lets the bar draw again.
    auto failed = OnScopeExit([&] {
      updating_ = false;
      if (redraw) SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
      Invalidate();
    });
    orientation_ = o;
    std::swap(btnWidth_, btnHeight_);
    std::swap(gridX_, gridY_);
    std::swap(btnOffsetHorz_, btnOffsetVert_);
    ForEachItem(
        [this](TSpeedItem* item, void*) {
          TSpeedbarButton* b = item->button_;
          b->SetBounds(b->Top(), b->Left(), btnWidth_, btnHeight_);
        },
        nullptr);
    failed.Dismiss();
  }
  updating_ = false;
  if (redraw) {
    SendMessageA(Handle(), WM_SETREDRAW, TRUE, 0);
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }
  NotifySetupWindow(SBR_BTNSIZECHANGED, reinterpret_cast<LPARAM>(this));
}

bool TSpeedBar::PlaceDroppedItem(TSpeedItem* item, int x, int y) {
  if (!item || item->bar_ != this) return false;
  int ox = btnOffsetHorz_, oy = btnOffsetVert_, sx = gridX_, sy = gridY_;
  // Along the bar the nearest step, a half going to the even neighbour; across it the
  // row the point lies in.
  double fx = static_cast<double>(x - ox) / sx, fy = static_cast<double>(y - oy) / sy;
  int col, row;
  if (Orientation() == boHorizontal) {
    col = static_cast<int>(std::nearbyint(fx));
    row = static_cast<int>(std::trunc(fy));
  } else {
    col = static_cast<int>(std::trunc(fx));
    row = static_cast<int>(std::nearbyint(fy));
  }
  item->button_->SetBounds(ox + col * sx, oy + row * sy, btnWidth_, btnHeight_);
  RECT client = ClientRect();
  POINT p{item->Left(), item->Top()};
  bool inside = p.x >= client.left && p.x < client.right && p.y >= client.top && p.y < client.bottom;
  item->SetVisible(inside);
  return inside;
}

// ---- customise mode -----------------------------------------------------------------

void TSpeedBar::SetSetupWindowHandle(HWND h) {
  setupWindow_ = h;
  ForEachItem([h](TSpeedItem* item, void*) { item->SetEditing(h != nullptr); }, nullptr);
}

void TSpeedBar::Customize(int helpContext) { OpenSpeedbarSetup(this, helpContext); }

void TSpeedBar::NotifySetupWindow(WPARAM what, LPARAM param) {
  if (setupWindow_) SendMessageA(setupWindow_, CM_SPEEDBARCHANGED, what, param);
}

// ---- visibility, painting, loading ---------------------------------------------------

void TSpeedBar::VisibleChanged() {
  TCustomPanel::VisibleChanged();
  if (Loading() || ComponentState().Contains(csDesigning)) return;
  ForEachItem([](TSpeedItem* item, void*) { item->UpdateButtonVisible(); }, nullptr);
}

void TSpeedBar::EnabledChanged() {
  TCustomPanel::EnabledChanged();
  ForEachItem([](TSpeedItem* item, void*) { item->UpdateButtonEnabled(); }, nullptr);
}

void TSpeedBar::Paint() {
  if (updating_) return;
  TCustomPanel::Paint();
  TGraphic* g = wallpaper_.Graphic();
  if (!g || g->Empty() || g->Width() <= 0 || g->Height() <= 0) return;
  int border =
      BorderWidth() + (BevelOuter() != bvNone ? BevelWidth() : 0) + (BevelInner() != bvNone ? BevelWidth() : 0);
  RECT r{0, 0, ClientWidth(), ClientHeight()};
  InflateRect(&r, -border, -border);
  TCanvas* c = Canvas();
  HDC dc = c->Handle();
  int saved = SaveDC(dc);
  IntersectClipRect(dc, r.left, r.top, r.right, r.bottom);
  if (options_.Contains(sbStretchBitmap)) {
    c->StretchDraw(r, g);
  } else {
    int cols = (ClientWidth() - 2 * border) / g->Width();
    int rows = (ClientHeight() - 2 * border) / g->Height();
    for (int i = 0; i <= cols; ++i)
      for (int j = 0; j <= rows; ++j) c->Draw(r.left + i * g->Width(), r.top + j * g->Height(), g);
  }
  c->Refresh();
  RestoreDC(dc, saved);
}

void TSpeedBar::Loaded() {
  TCustomPanel::Loaded();
  if (oldAlign_) {
    oldAlign_ = false;
    TControl::SetAlign(alTop);
    storedAlign_ = alTop;
  }
  UpdateGridSize();
  ForEachItem(
      [this](TSpeedItem* item, void*) {
        TSpeedbarButton* b = item->button_;
        b->SetBounds(b->Left(), b->Top(), btnWidth_, btnHeight_);
        item->SetVisible(item->Visible());
      },
      nullptr);
}

void TSpeedBar::PosChanged() {
  if (OnPosChanged) OnPosChanged(this);
}

// ---- stored layout ---------------------------------------------------------------------

void TSpeedBar::IniSave(TObject*) {
  TCustomIniFile* store = iniLink_->CurrentStorage();
  if (Name().empty() || !store) return;
  SaveLayout(store, DefaultStorageSection(this));
}

void TSpeedBar::IniLoad(TObject*) {
  TCustomIniFile* store = iniLink_->CurrentStorage();
  if (Name().empty() || !store) return;
  RestoreLayout(store, DefaultStorageSection(this));
}

void TSpeedBar::SaveLayout(TObject* store, const AnsiString& section) {
  StorageEraseSection(store, section);
  StorageWriteInteger(store, section, "Position", static_cast<int>(Align()));
  if (Align() == alTop || Align() == alBottom)
    StorageWriteInteger(store, section, "Width", Height());
  else if (Align() == alLeft || Align() == alRight)
    StorageWriteInteger(store, section, "Width", Width());
  StorageWriteInteger(store, section, "Version", version_);
  StorageWriteInteger(store, section, "BtnWidth", btnWidth_);
  StorageWriteInteger(store, section, "BtnHeight", btnHeight_);
  int count = 0;
  ForEachItem(
      [&](TSpeedItem* item, void*) {
        if (!item->Visible()) return;
        ++count;
        StorageWriteString(store, section, Format("Button%d", count),
                           Format("%s,%d,%d", item->Name().c_str(), item->Left(), item->Top()));
      },
      nullptr);
  StorageWriteInteger(store, section, "Count", count);
}

void TSpeedBar::RestoreLayout(TObject* store, const AnsiString& section) {
  TAlign noted = Align();
  if (StorageReadInteger(store, section, "Version", version_) < version_) return;
  if (options_.Contains(sbAllowDrag)) {
    try {
      SetAlign(static_cast<TAlign>(StoredBarAlign(StorageReadString(store, section, "Position", AnsiString()))));
    } catch (const std::exception&) {
      SetAlign(alTop);
    }
  }
  if (options_.Contains(sbAllowResize)) {
    AnsiString width = StorageReadString(store, section, "Width", AnsiString());
    if (Align() == alTop || Align() == alBottom)
      SetHeight(StoredBarWidth(width, Height()));
    else if (Align() == alLeft || Align() == alRight)
      SetWidth(StoredBarWidth(width, Width()));
  }
  if (Align() != noted) PosChanged();
  if (StorageReadInteger(store, section, "BtnWidth", btnWidth_) > btnWidth_) return;
  if (StorageReadInteger(store, section, "BtnHeight", btnHeight_) > btnHeight_) return;
  int count = StoredCount(StorageReadString(store, section, "Count", AnsiString()), kMaxStoredButtons);
  if (count <= 0) return;
  ForEachItem([](TSpeedItem* item, void*) { item->SetVisible(false); }, nullptr);
  for (int n = 1; n <= count; ++n) {
    AnsiString value = StorageReadString(store, section, Format("Button%d", n), AnsiString());
    if (value.empty()) continue;
    TSpeedItem* item = FindItemByName(StoredButtonName(value));
    if (!item) continue;
    int x = item->Left(), y = item->Top();
    StoredButtonPlace(value, x, y);
    item->button_->SetBounds(std::max(x, btnOffsetHorz_), std::max(y, btnOffsetVert_), btnWidth_, btnHeight_);
    item->SetVisible(true);
  }
}

}  // namespace vx
