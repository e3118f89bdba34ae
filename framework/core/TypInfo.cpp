#include "framework/core/TypInfo.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <unordered_map>

namespace vx {

namespace {

bool SameTextAscii(const std::string& a, const std::string& b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i)
    if (std::tolower(static_cast<unsigned char>(a[i])) != std::tolower(static_cast<unsigned char>(b[i]))) return false;
  return true;
}

TTypeInfo MakeType(TTypeKind k, const char* name) {
  TTypeInfo t;
  t.Kind = k;
  t.Name = name;
  return t;
}

struct Registry {
  std::vector<std::unique_ptr<TClassInfo>> classes;
  std::unordered_map<std::type_index, TClassInfo*> byType;
  std::unordered_map<std::type_index, const TClassInfo*> resolved;  // dynamic type -> nearest
  std::map<std::string, std::unique_ptr<TTypeInfo>> types;
};

Registry& Reg() {
  static Registry r;
  return r;
}

}  // namespace

const TTypeInfo* TypeInfoInteger() {
  static const TTypeInfo t = MakeType(tkInteger, "Integer");
  return &t;
}
const TTypeInfo* TypeInfoChar() {
  static const TTypeInfo t = MakeType(tkChar, "Char");
  return &t;
}
const TTypeInfo* TypeInfoString() {
  static const TTypeInfo t = MakeType(tkLString, "AnsiString");
  return &t;
}
const TTypeInfo* TypeInfoClass() {
  static const TTypeInfo t = MakeType(tkClass, "TObject");
  return &t;
}
const TTypeInfo* TypeInfoMethod() {
  static const TTypeInfo t = MakeType(tkMethod, "TMethod");
  return &t;
}
const TTypeInfo* TypeInfoBoolean() {
  static const TTypeInfo t = [] {
    TTypeInfo b = MakeType(tkEnumeration, "Boolean");
    b.EnumNames = {"False", "True"};
    return b;
  }();
  return &t;
}
const TTypeInfo* TypeInfoFloat(TFloatType ft) {
  static const TTypeInfo types[] = {
      [] {
        TTypeInfo t = MakeType(tkFloat, "Single");
        t.FloatType = ftSingle;
        return t;
      }(),
      [] {
        TTypeInfo t = MakeType(tkFloat, "Double");
        t.FloatType = ftDouble;
        return t;
      }(),
      [] {
        TTypeInfo t = MakeType(tkFloat, "Extended");
        t.FloatType = ftExtended;
        return t;
      }(),
      [] {
        TTypeInfo t = MakeType(tkFloat, "Comp");
        t.FloatType = ftComp;
        return t;
      }(),
      [] {
        TTypeInfo t = MakeType(tkFloat, "Currency");
        t.FloatType = ftCurr;
        return t;
      }(),
  };
  return &types[ft];
}

const TTypeInfo* EnumTypeInfo(const char* name, std::initializer_list<const char*> names) {
  auto& slot = Reg().types[name];
  if (!slot) {
    slot = std::make_unique<TTypeInfo>(MakeType(tkEnumeration, name));
    for (const char* n : names) slot->EnumNames.emplace_back(n);
  }
  return slot.get();
}

const TTypeInfo* SetTypeInfo(const char* name, const TTypeInfo* member) {
  auto& slot = Reg().types[name];
  if (!slot) {
    slot = std::make_unique<TTypeInfo>(MakeType(tkSet, name));
    slot->CompType = member;
  }
  return slot.get();
}

TClassInfo::TClassInfo(std::string name, std::type_index type, std::type_index parent, bool (*test)(const TObject*))
    : name_(std::move(name)), type_(type), parent_(parent), test_(test) {}

const TClassInfo* TClassInfo::Parent() const {
  if (parent_ == type_) return nullptr;
  return FindClassInfo(parent_);
}

int TClassInfo::Depth() const {
  int d = 0;
  for (const TClassInfo* p = Parent(); p; p = p->Parent()) ++d;
  return d;
}

TClassInfo& RegisterClassInfo(const char* name, std::type_index type, std::type_index parent,
                              bool (*test)(const TObject*)) {
  Registry& r = Reg();
  auto it = r.byType.find(type);
  if (it != r.byType.end()) return *it->second;
  r.classes.push_back(std::make_unique<TClassInfo>(name, type, parent, test));
  r.byType[type] = r.classes.back().get();
  r.resolved.clear();
  return *r.classes.back();
}

const TClassInfo* FindClassInfo(std::type_index type) {
  auto& m = Reg().byType;
  auto it = m.find(type);
  return it == m.end() ? nullptr : it->second;
}

const TClassInfo* GetClassInfo(const TObject* obj) {
  if (!obj) return nullptr;
  Registry& r = Reg();
  std::type_index dyn(typeid(*obj));
  auto it = r.resolved.find(dyn);
  if (it != r.resolved.end()) return it->second;
  // An unregistered class (a form of the program) takes its nearest registered ancestor.
  const TClassInfo* best = FindClassInfo(dyn);
  if (!best) {
    int bestDepth = -1;
    for (auto& c : r.classes) {
      if (!c->Matches(obj)) continue;
      int d = c->Depth();
      if (d > bestDepth) {
        best = c.get();
        bestDepth = d;
      }
    }
  }
  r.resolved[dyn] = best;
  return best;
}

std::vector<PPropInfo> GetPropList(const TObject* obj, TTypeKinds kinds) {
  std::vector<const TClassInfo*> chain;
  for (const TClassInfo* c = GetClassInfo(obj); c; c = c->Parent()) chain.push_back(c);
  std::vector<PPropInfo> out;
  for (auto it = chain.rbegin(); it != chain.rend(); ++it)
    for (const TPropInfo& p : (*it)->OwnProps())
      if (kinds.Contains(p.Kind())) out.push_back(&p);
  return out;
}

PPropInfo GetPropInfo(const TObject* obj, const std::string& name) {
  // Most derived first, so a class may republish a name with its own accessors.
  for (const TClassInfo* c = GetClassInfo(obj); c; c = c->Parent())
    for (const TPropInfo& p : c->OwnProps())
      if (SameTextAscii(p.Name, name)) return &p;
  return nullptr;
}

bool IsPublishedProp(const TObject* obj, const std::string& name) { return GetPropInfo(obj, name) != nullptr; }

TTypeKind PropType(const TObject* obj, const std::string& name) {
  PPropInfo p = GetPropInfo(obj, name);
  if (!p) throw EPropertyError("Unknown property: " + name);
  return p->Kind();
}

static void NeedAccessor(bool has, PPropInfo p) {
  if (!has) throw EPropertyError("Property " + p->Name + " has no accessor of that kind");
}

int64_t GetOrdProp(TObject* obj, PPropInfo p) {
  NeedAccessor(bool(p->GetOrd), p);
  return p->GetOrd(obj);
}
void SetOrdProp(TObject* obj, PPropInfo p, int64_t v) {
  NeedAccessor(bool(p->SetOrd), p);
  p->SetOrd(obj, v);
}
std::string GetStrProp(TObject* obj, PPropInfo p) {
  NeedAccessor(bool(p->GetStr), p);
  return p->GetStr(obj);
}
void SetStrProp(TObject* obj, PPropInfo p, const std::string& v) {
  NeedAccessor(bool(p->SetStr), p);
  p->SetStr(obj, v);
}
double GetFloatProp(TObject* obj, PPropInfo p) {
  NeedAccessor(bool(p->GetFloat), p);
  return p->GetFloat(obj);
}
void SetFloatProp(TObject* obj, PPropInfo p, double v) {
  NeedAccessor(bool(p->SetFloat), p);
  p->SetFloat(obj, v);
}
TObject* GetObjectProp(TObject* obj, PPropInfo p) {
  NeedAccessor(bool(p->GetObj), p);
  return p->GetObj(obj);
}

static PPropInfo Need(TObject* obj, const std::string& name) {
  PPropInfo p = GetPropInfo(obj, name);
  if (!p) throw EPropertyError("Unknown property: " + name);
  return p;
}

int64_t GetOrdProp(TObject* obj, const std::string& n) { return GetOrdProp(obj, Need(obj, n)); }
void SetOrdProp(TObject* obj, const std::string& n, int64_t v) { SetOrdProp(obj, Need(obj, n), v); }
std::string GetStrProp(TObject* obj, const std::string& n) { return GetStrProp(obj, Need(obj, n)); }
void SetStrProp(TObject* obj, const std::string& n, const std::string& v) { SetStrProp(obj, Need(obj, n), v); }
double GetFloatProp(TObject* obj, const std::string& n) { return GetFloatProp(obj, Need(obj, n)); }
void SetFloatProp(TObject* obj, const std::string& n, double v) { SetFloatProp(obj, Need(obj, n), v); }
TObject* GetObjectProp(TObject* obj, const std::string& n) { return GetObjectProp(obj, Need(obj, n)); }

std::string GetEnumName(const TTypeInfo* t, int value) {
  if (!t || value < 0 || value >= static_cast<int>(t->EnumNames.size())) return {};
  return t->EnumNames[value];
}

int GetEnumValue(const TTypeInfo* t, const std::string& name) {
  if (!t) return -1;
  for (size_t i = 0; i < t->EnumNames.size(); ++i)
    if (SameTextAscii(t->EnumNames[i], name)) return static_cast<int>(i);
  return -1;
}

std::string SetToString(const TTypeInfo* setType, uint32_t bits, int maxOrd) {
  const TTypeInfo* m = setType ? setType->CompType : nullptr;
  std::string s = "[";
  bool first = true;
  for (int i = 0; i <= std::min(maxOrd, 31); ++i) {
    if (!(bits & (1u << i))) continue;
    if (!first) s += ",";
    s += m ? GetEnumName(m, i) : std::to_string(i);
    first = false;
  }
  return s + "]";
}

uint32_t StringToSet(const TTypeInfo* setType, const std::string& text) {
  const TTypeInfo* m = setType ? setType->CompType : nullptr;
  uint32_t bits = 0;
  size_t i = 0;
  auto delim = [](char c) { return c == ' ' || c == ',' || c == '[' || c == ']'; };
  while (i < text.size()) {
    while (i < text.size() && delim(text[i])) ++i;
    size_t start = i;
    while (i < text.size() && !delim(text[i])) ++i;
    if (i > start) {
      int v = GetEnumValue(m, text.substr(start, i - start));
      if (v >= 0 && v < 32) bits |= 1u << v;
    }
  }
  return bits;
}

}  // namespace vx
