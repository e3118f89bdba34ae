#include "toolkit/ZXProps.h"

#include <cctype>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <cstdlib>
#include <map>

#include "framework/core/SysUtils.h"
#include "toolkit/StrUtils.h"

namespace vx {

namespace {

// Nested object properties are followed this deep at most (a cycle would never end).
constexpr int kMaxDepth = 8;
// A stored list count beyond this is taken as damage, not as lines to read.
constexpr int kMaxListLines = 65536;

bool SameName(const AnsiString& a, const AnsiString& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::toupper(static_cast<unsigned char>(a[i])) != std::toupper(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

bool IsStringKind(TTypeKind k) { return k == tkString || k == tkLString || k == tkWChar; }

TStrings* AsStrings(TObject* o) { return dynamic_cast<TStrings*>(o); }

const TTypeInfo* SetMemberType(PPropInfo p) { return p->PropType ? p->PropType->CompType : nullptr; }

}  // namespace

AnsiString TrimStored(const AnsiString& s) {
  size_t b = 0, e = s.size();
  while (b < e && static_cast<unsigned char>(s[b]) <= ' ') ++b;
  while (e > b && static_cast<unsigned char>(s[e - 1]) <= ' ') --e;
  return s.substr(b, e - b);
}

AnsiString FloatToStoredText(double value, TFloatType type) {
  int precision = 15;
  switch (type) {
    case ftSingle: precision = 7; break;
    case ftDouble: precision = 15; break;
    case ftExtended: precision = 18; break;
    case ftComp: precision = 18; break;
    case ftCurr: precision = 19; break;
  }
  char buf[64];
  std::snprintf(buf, sizeof buf, "%.*G", precision, value);
  // General format writes the exponent bare: 1E20, 1.5E-7.
  AnsiString s = buf;
  size_t e = s.find('E');
  if (e != AnsiString::npos) {
    AnsiString mant = s.substr(0, e), exp = s.substr(e + 1);
    bool neg = !exp.empty() && exp[0] == '-';
    if (!exp.empty() && (exp[0] == '+' || exp[0] == '-')) exp.erase(0, 1);
    while (exp.size() > 1 && exp[0] == '0') exp.erase(0, 1);
    s = mant + "E" + (neg ? "-" : "") + exp;
  }
  return s;
}

// ---- TPropInfoList ------------------------------------------------------------------

TPropInfoList::TPropInfoList(TObject* object, TTypeKinds filter) {
  if (object) list_ = GetPropList(object, filter);
}

PPropInfo TPropInfoList::FindProp(const AnsiString& name) const {
  for (PPropInfo p : list_)
    if (SameName(p->Name, name)) return p;
  return nullptr;
}

void TPropInfoList::Delete(int index) {
  if (index >= 0 && index < Count()) list_.erase(list_.begin() + index);
}

TTypeKinds StoredPropKinds() {
  TTypeKinds all = TTypeKinds::FromBits(~0u);
  return all - TTypeKinds{tkUnknown, tkMethod};
}

// ---- stored-property lines ----------------------------------------------------------

bool ParseStoredItem(const AnsiString& item, AnsiString& compName, AnsiString& propName) {
  compName.clear();
  propName.clear();
  size_t dot = item.find('.');
  if (dot == AnsiString::npos) return false;
  compName = TrimStored(item.substr(0, dot));
  propName = TrimStored(item.substr(dot + 1));
  return !compName.empty() && !propName.empty();
}

AnsiString CreateStoredItem(const AnsiString& compName, const AnsiString& propName) {
  return compName + "." + propName;
}

AnsiString ReplaceComponentName(const AnsiString& item, const AnsiString& compName) {
  AnsiString c, p;
  if (!ParseStoredItem(item, c, p)) return AnsiString();
  return CreateStoredItem(compName, p);
}

void UpdateStoredList(TComponent* form, TStrings* list, TStoredListUpdate direction) {
  if (!form || !list) return;
  for (int i = list->Count() - 1; i >= 0; --i) {
    AnsiString comp, prop;
    if (!ParseStoredItem(list->Strings(i), comp, prop)) {
      list->Delete(i);
      continue;
    }
    if (direction == suResolve) {
      TComponent* found = nullptr;
      for (int c = 0; c < form->ComponentCount(); ++c)
        if (SameName(form->Components(c)->Name(), comp)) {
          found = form->Components(c);
          break;
        }
      if (found)
        list->SetObjects(i, found);
      else
        list->Delete(i);
    } else {
      auto* owner = dynamic_cast<TComponent*>(list->Objects(i));
      if (owner)
        list->SetStrings(i, CreateStoredItem(owner->Name(), prop));
      else
        list->Delete(i);
    }
  }
}

// ---- TPropsStorage ------------------------------------------------------------------

AnsiString TPropsStorage::ReadString(const AnsiString& section, const AnsiString& key, const AnsiString& deflt) {
  return OnReadString ? OnReadString(section, key, deflt) : AnsiString();
}

void TPropsStorage::WriteString(const AnsiString& section, const AnsiString& key, const AnsiString& value) {
  if (OnWriteString) OnWriteString(section, key, value);
}

void TPropsStorage::EraseSection(const AnsiString& section) {
  if (OnEraseSection) OnEraseSection(section);
}

std::unique_ptr<TPropsStorage> TPropsStorage::CreateStorage() const { return std::make_unique<TPropsStorage>(); }

AnsiString TPropsStorage::ListSection(PPropInfo prop) const { return Section + "." + ItemKey(prop->Name); }

AnsiString TPropsStorage::GetPropValue(PPropInfo prop, bool storeContent) {
  TObject* o = object_;
  switch (prop->Kind()) {
    case tkInteger:
    case tkInt64: return std::to_string(GetOrdProp(o, prop));
    case tkChar: {
      char c = static_cast<char>(GetOrdProp(o, prop));
      return AnsiString(1, c);
    }
    case tkWChar:
      if (prop->GetOrd) return AnsiString(1, static_cast<char>(GetOrdProp(o, prop) & 0xFF));
      return GetStrProp(o, prop).substr(0, 1);
    case tkEnumeration: return GetEnumName(prop->PropType, static_cast<int>(GetOrdProp(o, prop)));
    case tkFloat: return FloatToStoredText(GetFloatProp(o, prop), prop->PropType->FloatType);
    case tkString:
    case tkLString:
    case tkVariant: return prop->GetStr ? GetStrProp(o, prop) : AnsiString();
    case tkSet: {
      // Members 0-31: a member above 15 must not be lost on the way through the store.
      const TTypeInfo* member = SetMemberType(prop);
      uint32_t bits = static_cast<uint32_t>(GetOrdProp(o, prop));
      AnsiString s = "[";
      bool first = true;
      for (int i = 0; i < 32; ++i) {
        if (!(bits & (1u << i))) continue;
        AnsiString name = member ? GetEnumName(member, i) : AnsiString();
        if (name.empty()) continue;
        if (!first) s += ",";
        s += name;
        first = false;
      }
      return s + "]";
    }
    case tkClass:
      if (storeContent) StoreObjectContent(prop, GetObjectProp(o, prop));
      return AnsiString();
    default: return AnsiString();
  }
}

void TPropsStorage::SetPropValue(PPropInfo prop, const AnsiString& text) {
  TObject* o = object_;
  switch (prop->Kind()) {
    case tkInteger:
    case tkInt64: {
      int v = 0;
      if (!TryDecimalToInt(text, v)) v = 0;
      SetOrdProp(o, prop, v);
      break;
    }
    case tkChar:
      if (!text.empty()) SetOrdProp(o, prop, static_cast<unsigned char>(text[0]));
      break;
    case tkWChar:
      if (text.empty()) break;
      if (prop->SetOrd)
        SetOrdProp(o, prop, static_cast<unsigned char>(text[0]));
      else
        SetStrProp(o, prop, text.substr(0, 1));
      break;
    case tkEnumeration: {
      int v = GetEnumValue(prop->PropType, text);
      if (v >= 0) SetOrdProp(o, prop, v);
      break;
    }
    case tkFloat: {
      if (text.empty()) break;
      errno = 0;
      char* end = nullptr;
      double v = std::strtod(text.c_str(), &end);
      if (end && *end == 0 && errno == 0) SetFloatProp(o, prop, v);
      break;
    }
    case tkString:
    case tkLString:
    case tkVariant:
      if (prop->SetStr) SetStrProp(o, prop, text);
      break;
    case tkSet: {
      const TTypeInfo* member = SetMemberType(prop);
      TCharSet delims = MakeCharSet(" ,[]");
      uint32_t bits = 0;
      int n = CountWords(text, delims);
      for (int i = 1; i <= n; ++i) {
        int v = member ? GetEnumValue(member, NthWord(i, text, delims)) : -1;
        if (v >= 0 && v < 32) bits |= 1u << v;
      }
      SetOrdProp(o, prop, bits);
      break;
    }
    default: break;
  }
}

void TPropsStorage::StoreObjectContent(PPropInfo prop, TObject* obj) {
  if (!obj) return;
  if (TStrings* lines = AsStrings(obj)) {
    // An emptied list is written as Count=0, so the next load empties it too.
    AnsiString section = ListSection(prop);
    EraseSection(section);
    WriteString(section, "Count", std::to_string(lines->Count()));
    for (int i = 0; i < lines->Count(); ++i) WriteString(section, "Item" + std::to_string(i), lines->Strings(i));
  }
  StoreAllOf(obj, Prefix + prop->Name);
}

void TPropsStorage::LoadObjectContent(PPropInfo prop, TObject* obj) {
  if (!obj) return;
  if (TStrings* lines = AsStrings(obj)) {
    AnsiString section = ListSection(prop);
    int count = -1;
    // A missing or unreadable count leaves the list as it is.
    if (!TryDecimalToInt(TrimStored(ReadString(section, "Count", AnsiString())), count)) count = -1;
    if (count >= 0) {
      if (count > kMaxListLines) count = kMaxListLines;
      TStringList read;
      for (int i = 0; i < count; ++i) read.Add(ReadString(section, "Item" + std::to_string(i), AnsiString()));
      lines->Assign(read);
    }
  }
  LoadAllOf(obj, Prefix + prop->Name);
}

void TPropsStorage::StoreAllOf(TObject* obj, const AnsiString& prefix) {
  if (depth_ >= kMaxDepth) return;
  std::unique_ptr<TPropsStorage> nested = CreateStorage();
  nested->object_ = obj;
  nested->Prefix = prefix;
  nested->Section = Section;
  nested->OnReadString = OnReadString;
  nested->OnWriteString = OnWriteString;
  nested->OnEraseSection = OnEraseSection;
  nested->depth_ = depth_ + 1;
  TPropInfoList props(obj, StoredPropKinds());
  for (int i = 0; i < props.Count(); ++i) nested->StoreProperty(props.Items(i));
}

void TPropsStorage::LoadAllOf(TObject* obj, const AnsiString& prefix) {
  if (depth_ >= kMaxDepth) return;
  std::unique_ptr<TPropsStorage> nested = CreateStorage();
  nested->object_ = obj;
  nested->Prefix = prefix;
  nested->Section = Section;
  nested->OnReadString = OnReadString;
  nested->OnWriteString = OnWriteString;
  nested->OnEraseSection = OnEraseSection;
  nested->depth_ = depth_ + 1;
  TPropInfoList props(obj, StoredPropKinds());
  for (int i = 0; i < props.Count(); ++i) nested->LoadProperty(props.Items(i));
}

void TPropsStorage::StoreProperty(PPropInfo prop) {
  if (!prop || !object_) return;
  AnsiString text = GetPropValue(prop, true);
  if (text.empty() && !IsStringKind(prop->Kind())) return;
  WriteString(Section, ItemKey(prop->Name), TrimStored(text));
}

void TPropsStorage::LoadProperty(PPropInfo prop) {
  if (!prop || !object_) return;
  try {
    AnsiString text = GetPropValue(prop, false);
    if (!text.empty() || IsStringKind(prop->Kind()))
      text = TrimStored(ReadString(Section, ItemKey(prop->Name), text));
    else
      text.clear();
    if (prop->Kind() == tkClass)
      LoadObjectContent(prop, GetObjectProp(object_, prop));
    else if (!text.empty() || IsStringKind(prop->Kind()))
      SetPropValue(prop, text);
  } catch (...) {
    // A property that cannot be loaded keeps its value; the others still load.
  }
}

namespace {

// Runs action on every valid line with storage object and prefix set (shared by save
// and load).
template <class Fn>
void ForEachStoredLine(TPropsStorage& st, TComponent* form, TStrings* list, Fn action) {
  UpdateStoredList(form, list, suNaming);
  std::map<AnsiString, std::unique_ptr<TPropInfoList>> table;
  for (int i = 0; i < list->Count(); ++i) {
    auto* comp = dynamic_cast<TComponent*>(list->Objects(i));
    if (!comp) continue;
    AnsiString key = comp->Name();
    for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    if (!table.count(key)) table[key] = std::make_unique<TPropInfoList>(comp, StoredPropKinds());
  }
  for (int i = 0; i < list->Count(); ++i) {
    AnsiString compName, propName;
    if (!ParseStoredItem(list->Strings(i), compName, propName)) continue;
    auto* comp = dynamic_cast<TComponent*>(list->Objects(i));
    if (!comp) continue;
    st.SetObject(comp);
    st.Prefix = comp->Name();
    AnsiString key = comp->Name();
    for (char& c : key) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    auto it = table.find(key);
    if (it == table.end()) continue;
    st.Prefix += "_";
    if (PPropInfo p = it->second->FindProp(propName)) action(p);
  }
}

}  // namespace

void TPropsStorage::StoreProperties(TComponent* form, TStrings* list) {
  if (!list) return;
  ForEachStoredLine(*this, form, list, [this](PPropInfo p) { StoreProperty(p); });
}

void TPropsStorage::LoadProperties(TComponent* form, TStrings* list) {
  if (!list) return;
  ForEachStoredLine(*this, form, list, [this](PPropInfo p) { LoadProperty(p); });
}

}  // namespace vx
