#include "framework/core/Classes.h"

#include <algorithm>
#include <numeric>

#include "framework/core/Exceptions.h"
#include "framework/core/Scoped.h"
#include "framework/core/Streams.h"
#include "framework/core/SysUtils.h"

namespace vx {

void TPersistent::Assign(const TPersistent& source) {
  if (source.AssignTo(*this)) return;
  throw EConvertError(Format("Cannot assign a %s to a %s", source.ClassName(), ClassName()));
}

bool TPersistent::AssignTo(TPersistent&) const { return false; }

// ---------------------------------------------------------------------------------------

void TStrings::IndexError(int index) { throw EStringListError(Format("List index out of bounds (%d)", index)); }

void TStrings::Put(int index, const AnsiString& s) {
  TObject* o = GetObject(index);
  BeginUpdate();
  auto cleanup = OnScopeExit([&] { EndUpdate(); });
  DeleteItem(index);
  InsertItem(index, s, o);
}

TObject* TStrings::GetObject(int) const { return nullptr; }
void TStrings::PutObject(int, TObject*) {}

void TStrings::ClearItems() {
  for (int i = GetCount() - 1; i >= 0; --i) DeleteItem(i);
}

void TStrings::SetUpdateState(bool) {}

int TStrings::CompareStrings(const AnsiString& a, const AnsiString& b) const { return AnsiCompareText(a, b); }

int TStrings::Add(const AnsiString& s) { return AddObject(s, nullptr); }

int TStrings::AddObject(const AnsiString& s, TObject* o) {
  int i = GetCount();
  InsertObject(i, s, o);
  return i;
}

void TStrings::InsertObject(int index, const AnsiString& s, TObject* o) {
  if (index < 0 || index > GetCount()) IndexError(index);
  InsertItem(index, s, o);
}

void TStrings::Delete(int index) {
  if (index < 0 || index >= GetCount()) IndexError(index);
  DeleteItem(index);
}

void TStrings::Clear() { ClearItems(); }

void TStrings::Exchange(int a, int b) {
  int n = GetCount();
  if (a < 0 || a >= n) IndexError(a);
  if (b < 0 || b >= n) IndexError(b);
  if (a == b) return;
  BeginUpdate();
  AnsiString sa = Get(a), sb = Get(b);
  TObject* oa = GetObject(a);
  TObject* ob = GetObject(b);
  Put(a, sb);
  PutObject(a, ob);
  Put(b, sa);
  PutObject(b, oa);
  EndUpdate();
}

void TStrings::Move(int from, int to) {
  if (from == to) return;
  int n = GetCount();
  if (from < 0 || from >= n) IndexError(from);
  if (to < 0 || to >= n) IndexError(to);
  BeginUpdate();
  AnsiString s = Get(from);
  TObject* o = GetObject(from);
  DeleteItem(from);
  InsertItem(to, s, o);
  EndUpdate();
}

int TStrings::IndexOf(const AnsiString& s) const {
  for (int i = 0, n = GetCount(); i < n; ++i)
    if (CompareStrings(Get(i), s) == 0) return i;
  return -1;
}

int TStrings::IndexOfObject(const TObject* o) const {
  for (int i = 0, n = GetCount(); i < n; ++i)
    if (GetObject(i) == o) return i;
  return -1;
}

int TStrings::IndexOfName(const AnsiString& name) const {
  for (int i = 0, n = GetCount(); i < n; ++i) {
    AnsiString s = Get(i);
    size_t eq = s.find('=');
    if (eq != AnsiString::npos && CompareStrings(s.substr(0, eq), name) == 0) return i;
  }
  return -1;
}

AnsiString TStrings::Text() const {
  AnsiString r;
  for (int i = 0, n = GetCount(); i < n; ++i) {
    r += Get(i);
    r += "\r\n";
  }
  return r;
}

AnsiString LinesText(const std::vector<AnsiString>& lines) {
  AnsiString r;
  for (const AnsiString& l : lines) {
    r += l;
    r += "\r\n";
  }
  return r;
}

void TStrings::SetText(const AnsiString& text) {
  BeginUpdate();
  auto cleanup = OnScopeExit([&] { EndUpdate(); });
  Clear();
  size_t i = 0, n = text.size();
  while (i < n) {
    size_t start = i;
    while (i < n && text[i] != '\r' && text[i] != '\n') ++i;
    Add(text.substr(start, i - start));
    if (i < n && text[i] == '\r') ++i;
    if (i < n && text[i] == '\n') ++i;
  }
}

AnsiString TStrings::CommaText() const {
  int n = GetCount();
  if (n == 1 && Get(0).empty()) return "\"\"";
  AnsiString r;
  for (int i = 0; i < n; ++i) {
    AnsiString s = Get(i);
    bool quote = false;
    for (char c : s)
      if (static_cast<unsigned char>(c) <= ' ' || c == '"' || c == ',') quote = true;
    if (i > 0) r += ',';
    if (!quote) {
      r += s;
      continue;
    }
    r += '"';
    for (char c : s) {
      r += c;
      if (c == '"') r += '"';
    }
    r += '"';
  }
  return r;
}

void TStrings::SetCommaText(const AnsiString& text) {
  BeginUpdate();
  auto cleanup = OnScopeExit([&] { EndUpdate(); });
  Clear();
  size_t p = 0, n = text.size();
  auto blank = [&](size_t i) { return static_cast<unsigned char>(text[i]) <= ' '; };
  while (p < n && blank(p)) ++p;
  while (p < n) {
    AnsiString item;
    if (text[p] == '"') {
      ++p;
      while (p < n) {
        if (text[p] == '"') {
          if (p + 1 < n && text[p + 1] == '"') {
            item += '"';
            p += 2;
            continue;
          }
          ++p;
          break;
        }
        item += text[p++];
      }
    } else {
      size_t start = p;
      while (p < n && !blank(p) && text[p] != ',') ++p;
      item = text.substr(start, p - start);
    }
    Add(item);
    while (p < n && blank(p)) ++p;
    if (p < n && text[p] == ',') {
      do ++p;
      while (p < n && blank(p));
    }
  }
}

AnsiString TStrings::Names(int i) const {
  AnsiString s = Get(i);
  size_t eq = s.find('=');
  return eq == AnsiString::npos ? AnsiString() : s.substr(0, eq);
}

AnsiString TStrings::Values(const AnsiString& name) const {
  int i = IndexOfName(name);
  if (i < 0) return AnsiString();
  AnsiString s = Get(i);
  return s.substr(s.find('=') + 1);
}

void TStrings::SetValues(const AnsiString& name, const AnsiString& value) {
  int i = IndexOfName(name);
  if (value.empty()) {
    if (i >= 0) Delete(i);
  } else if (i < 0) {
    Add(name + "=" + value);
  } else {
    Put(i, name + "=" + value);
  }
}

void TStrings::Assign(const TPersistent& source) {
  if (const TStrings* src = dynamic_cast<const TStrings*>(&source)) {
    if (src == this) return;
    BeginUpdate();
    {
      auto cleanup = OnScopeExit([&] { EndUpdate(); });
      Clear();
      AddStrings(*src);
    }
    return;
  }
  TPersistent::Assign(source);
}

void TStrings::AddStrings(const TStrings& strings) {
  BeginUpdate();
  auto cleanup = OnScopeExit([&] { EndUpdate(); });
  for (int i = 0, n = strings.Count(); i < n; ++i) AddObject(strings.Get(i), strings.GetObject(i));
}

void TStrings::BeginUpdate() {
  if (updateCount_++ == 0) SetUpdateState(true);
}

void TStrings::EndUpdate() {
  if (updateCount_ > 0 && --updateCount_ == 0) SetUpdateState(false);
}

void TStrings::LoadFromFile(const AnsiString& fileName) {
  TFileStream f(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(f);
}

void TStrings::SaveToFile(const AnsiString& fileName) const {
  TFileStream f(fileName, fmCreate);
  SaveToStream(f);
}

void TStrings::LoadFromStream(TStream& s) {
  int64_t left = s.Size() - s.Position();
  AnsiString text;
  if (left > 0) {
    text.resize(static_cast<size_t>(left));
    s.ReadBuffer(&text[0], static_cast<int>(left));
  }
  SetText(text);
}

void TStrings::SaveToStream(TStream& s) const {
  AnsiString text = Text();
  s.WriteBuffer(text.data(), static_cast<int>(text.size()));
}

// ---------------------------------------------------------------------------------------

TStringList::~TStringList() {
  OnChange = nullptr;
  OnChanging = nullptr;
  if (ownsObjects_)
    for (auto it = items_.rbegin(); it != items_.rend(); ++it) delete it->o;
}

void TStringList::Changed() {
  if (UpdateCount() == 0 && OnChange) OnChange(this);
}

void TStringList::Changing() {
  if (UpdateCount() == 0 && OnChanging) OnChanging(this);
}

void TStringList::SetUpdateState(bool updating) {
  updating_ = updating;
  if (updating) {
    if (OnChanging) OnChanging(this);
  } else if (OnChange) {
    OnChange(this);
  }
}

AnsiString TStringList::Get(int index) const {
  Check(index);
  return items_[static_cast<size_t>(index)].s;
}

void TStringList::Put(int index, const AnsiString& s) {
  if (sorted_) throw EStringListError("Operation not allowed on sorted list");
  Check(index);
  Changing();
  items_[static_cast<size_t>(index)].s = s;
  Changed();
}

TObject* TStringList::GetObject(int index) const {
  Check(index);
  return items_[static_cast<size_t>(index)].o;
}

void TStringList::PutObject(int index, TObject* o) {
  Check(index);
  Changing();
  items_[static_cast<size_t>(index)].o = o;
  Changed();
}

void TStringList::InsertItem(int index, const AnsiString& s, TObject* o) {
  Changing();
  items_.insert(items_.begin() + index, Item{s, o});
  Changed();
}

void TStringList::DeleteItem(int index) {
  Check(index);
  Changing();
  TObject* o = items_[static_cast<size_t>(index)].o;
  items_.erase(items_.begin() + index);
  if (ownsObjects_) delete o;
  Changed();
}

void TStringList::ClearItems() {
  if (items_.empty()) return;
  Changing();
  std::vector<Item> old;
  old.swap(items_);
  if (ownsObjects_)
    for (auto it = old.rbegin(); it != old.rend(); ++it) delete it->o;
  Changed();
}

int TStringList::AddObject(const AnsiString& s, TObject* o) {
  int index;
  if (!sorted_) {
    index = GetCount();
  } else if (Find(s, index)) {
    switch (duplicates_) {
      case dupIgnore: return index;
      case dupError: throw EStringListError("String list does not allow duplicates");
      case dupAccept: break;
    }
  }
  InsertItem(index, s, o);
  return index;
}

void TStringList::InsertObject(int index, const AnsiString& s, TObject* o) {
  if (sorted_) throw EStringListError("Operation not allowed on sorted list");
  if (index < 0 || index > GetCount()) IndexError(index);
  InsertItem(index, s, o);
}

void TStringList::Delete(int index) { DeleteItem(index); }

void TStringList::Clear() { ClearItems(); }

void TStringList::Exchange(int a, int b) {
  Check(a);
  Check(b);
  if (a == b) return;
  Changing();
  std::swap(items_[static_cast<size_t>(a)], items_[static_cast<size_t>(b)]);
  Changed();
}

void TStringList::Move(int from, int to) {
  if (from == to) return;
  if (sorted_) throw EStringListError("Operation not allowed on sorted list");
  Check(from);
  Check(to);
  Changing();
  Item it = std::move(items_[static_cast<size_t>(from)]);
  items_.erase(items_.begin() + from);
  items_.insert(items_.begin() + to, std::move(it));
  Changed();
}

int TStringList::CompareStrings(const AnsiString& a, const AnsiString& b) const {
  return caseSensitive_ ? AnsiCompareStr(a, b) : AnsiCompareText(a, b);
}

int TStringList::IndexOf(const AnsiString& s) const {
  if (!sorted_) {
    for (size_t i = 0; i < items_.size(); ++i)
      if (CompareStrings(items_[i].s, s) == 0) return static_cast<int>(i);
    return -1;
  }
  int index;
  return Find(s, index) ? index : -1;
}

bool TStringList::Find(const AnsiString& s, int& index) const {
  int lo = 0, hi = GetCount() - 1;
  bool found = false;
  while (lo <= hi) {
    int mid = lo + (hi - lo) / 2;
    int c = CompareStrings(items_[static_cast<size_t>(mid)].s, s);
    if (c < 0) {
      lo = mid + 1;
    } else {
      hi = mid - 1;
      if (c == 0) found = true;
    }
  }
  index = lo;
  return found;
}

void TStringList::Sort() {
  CustomSort([](TStringList& l, int a, int b) {
    return l.CompareStrings(l.items_[static_cast<size_t>(a)].s, l.items_[static_cast<size_t>(b)].s);
  });
}

void TStringList::CustomSort(const std::function<int(TStringList&, int, int)>& cmp) {
  if (sorted_ || items_.size() < 2) return;
  Changing();
  std::vector<int> order(items_.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) { return cmp(*this, a, b) < 0; });
  std::vector<Item> sorted;
  sorted.reserve(items_.size());
  for (int i : order) sorted.push_back(std::move(items_[static_cast<size_t>(i)]));
  items_.swap(sorted);
  Changed();
}

void TStringList::SetSorted(bool v) {
  if (v == sorted_) return;
  if (v) Sort();
  sorted_ = v;
}

void TStringList::SetCaseSensitive(bool v) {
  if (v == caseSensitive_) return;
  caseSensitive_ = v;
  if (sorted_) {
    sorted_ = false;
    Sort();
    sorted_ = true;
  }
}

}  // namespace vx
