// Published-property type information: each registered class lists its published
// properties in order, with kind, accessors, enumeration names and set members, so
// that stored properties can be written and read back by name.
#pragma once

#include <cstdint>
#include <functional>
#include <initializer_list>
#include <memory>
#include <string>
#include <typeindex>
#include <typeinfo>
#include <type_traits>
#include <utility>
#include <vector>

#include "framework/core/Exceptions.h"
#include "framework/core/Object.h"

namespace vx {

VX_EXCEPTION(EPropertyError, Exception);

// A small set over an enumeration with members 0..31, held as a bit mask.
template <class E>
class TSet {
 public:
  constexpr TSet() = default;
  constexpr TSet(std::initializer_list<E> members) {
    for (E e : members) bits_ |= Bit(e);
  }
  static constexpr TSet FromBits(uint32_t bits) {
    TSet s;
    s.bits_ = bits;
    return s;
  }
  constexpr uint32_t Bits() const { return bits_; }
  constexpr bool Contains(E e) const { return (bits_ & Bit(e)) != 0; }
  constexpr bool Empty() const { return bits_ == 0; }
  constexpr TSet& Include(E e) {
    bits_ |= Bit(e);
    return *this;
  }
  constexpr TSet& Exclude(E e) {
    bits_ &= ~Bit(e);
    return *this;
  }
  constexpr TSet operator+(TSet o) const { return FromBits(bits_ | o.bits_); }
  constexpr TSet operator-(TSet o) const { return FromBits(bits_ & ~o.bits_); }
  constexpr TSet operator*(TSet o) const { return FromBits(bits_ & o.bits_); }
  constexpr TSet operator+(E e) const { return FromBits(bits_ | Bit(e)); }
  constexpr TSet operator-(E e) const { return FromBits(bits_ & ~Bit(e)); }
  constexpr TSet& operator+=(TSet o) {
    bits_ |= o.bits_;
    return *this;
  }
  constexpr TSet& operator-=(TSet o) {
    bits_ &= ~o.bits_;
    return *this;
  }
  constexpr TSet& operator<<(E e) { return Include(e); }
  constexpr TSet& operator>>(E e) { return Exclude(e); }
  constexpr bool operator==(const TSet&) const = default;

 private:
  static constexpr uint32_t Bit(E e) {
    return static_cast<int>(e) >= 0 && static_cast<int>(e) < 32 ? (1u << static_cast<int>(e)) : 0u;
  }
  uint32_t bits_ = 0;
};

enum TTypeKind {
  tkUnknown,
  tkInteger,
  tkChar,
  tkEnumeration,
  tkFloat,
  tkString,
  tkSet,
  tkClass,
  tkMethod,
  tkWChar,
  tkLString,
  tkWString,
  tkVariant,
  tkArray,
  tkRecord,
  tkInterface,
  tkInt64
};
using TTypeKinds = TSet<TTypeKind>;
enum TFloatType { ftSingle, ftDouble, ftExtended, ftComp, ftCurr };

// Type of a property: its kind, and for enumerations their value names, for sets the
// enumeration of their members, for floats their precision class.
struct TTypeInfo {
  TTypeKind Kind = tkUnknown;
  std::string Name;
  std::vector<std::string> EnumNames;   // value i is named EnumNames[i]
  const TTypeInfo* CompType = nullptr;  // member type of a set
  TFloatType FloatType = ftDouble;
  int MinValue() const { return 0; }
  int MaxValue() const { return static_cast<int>(EnumNames.size()) - 1; }
};

// Built-in types shared by every class.
const TTypeInfo* TypeInfoInteger();
const TTypeInfo* TypeInfoChar();
const TTypeInfo* TypeInfoBoolean();  // enumeration False, True
const TTypeInfo* TypeInfoString();
const TTypeInfo* TypeInfoFloat(TFloatType ft = ftDouble);
const TTypeInfo* TypeInfoClass();
const TTypeInfo* TypeInfoMethod();
// An enumeration type made once per name; later calls with the same name return it.
const TTypeInfo* EnumTypeInfo(const char* name, std::initializer_list<const char*> names);
// A set over an enumeration type.
const TTypeInfo* SetTypeInfo(const char* name, const TTypeInfo* member);

struct TPropInfo {
  std::string Name;
  const TTypeInfo* PropType = nullptr;
  std::function<int64_t(TObject*)> GetOrd;  // integer, char, enumeration, set (bits)
  std::function<void(TObject*, int64_t)> SetOrd;
  std::function<std::string(TObject*)> GetStr;  // string kinds
  std::function<void(TObject*, const std::string&)> SetStr;
  std::function<double(TObject*)> GetFloat;
  std::function<void(TObject*, double)> SetFloat;
  std::function<TObject*(TObject*)> GetObj;  // class kind
  TTypeKind Kind() const { return PropType ? PropType->Kind : tkUnknown; }
};

using PPropInfo = const TPropInfo*;

class TClassInfo {
 public:
  TClassInfo(std::string name, std::type_index type, std::type_index parent, bool (*test)(const TObject*));
  const std::string& Name() const { return name_; }
  const TClassInfo* Parent() const;
  // Own properties only, in declaration order.
  const std::vector<TPropInfo>& OwnProps() const { return props_; }
  void AddProp(TPropInfo p) { props_.push_back(std::move(p)); }
  bool Matches(const TObject* o) const { return test_(o); }
  int Depth() const;
  std::type_index Type() const { return type_; }

 private:
  std::string name_;
  std::type_index type_, parent_;
  bool (*test_)(const TObject*);
  std::vector<TPropInfo> props_;
};

// The class information of an object's most derived registered class, or nullptr.
const TClassInfo* GetClassInfo(const TObject* obj);
const TClassInfo* FindClassInfo(std::type_index type);

// All published properties of an object, ancestors' first, whose kind is in kinds.
std::vector<PPropInfo> GetPropList(const TObject* obj, TTypeKinds kinds = TTypeKinds::FromBits(~0u));
// By name, ignoring case; nullptr when the object does not publish it.
PPropInfo GetPropInfo(const TObject* obj, const std::string& name);
bool IsPublishedProp(const TObject* obj, const std::string& name);
TTypeKind PropType(const TObject* obj, const std::string& name);

int64_t GetOrdProp(TObject* obj, PPropInfo p);
void SetOrdProp(TObject* obj, PPropInfo p, int64_t v);
std::string GetStrProp(TObject* obj, PPropInfo p);
void SetStrProp(TObject* obj, PPropInfo p, const std::string& v);
double GetFloatProp(TObject* obj, PPropInfo p);
void SetFloatProp(TObject* obj, PPropInfo p, double v);
TObject* GetObjectProp(TObject* obj, PPropInfo p);
// By name; these throw EPropertyError when the property is not published.
int64_t GetOrdProp(TObject* obj, const std::string& name);
void SetOrdProp(TObject* obj, const std::string& name, int64_t v);
std::string GetStrProp(TObject* obj, const std::string& name);
void SetStrProp(TObject* obj, const std::string& name, const std::string& v);
double GetFloatProp(TObject* obj, const std::string& name);
void SetFloatProp(TObject* obj, const std::string& name, double v);
TObject* GetObjectProp(TObject* obj, const std::string& name);
// Enumeration names: the name of a value ("" out of range), the lowest value with a
// name equal ignoring case (-1 none).
std::string GetEnumName(const TTypeInfo* t, int value);
int GetEnumValue(const TTypeInfo* t, const std::string& name);
// Set text "[a,b]" of the members 0..maxOrd, and parsing of such text (words split
// at blanks, commas and brackets, unknown words skipped).
std::string SetToString(const TTypeInfo* setType, uint32_t bits, int maxOrd = 31);
uint32_t StringToSet(const TTypeInfo* setType, const std::string& text);

// Declares a class's published properties. Used through VX_PUBLISH in a .cpp:
//   VX_PUBLISH(TPanel, TCustomControl) { P.Int("Width", &TPanel::Width, &TPanel::SetWidth); ... }
template <class C>
class TPublisher {
 public:
  explicit TPublisher(TClassInfo& ci) : ci_(ci) {}

  template <class G, class S>
  TPublisher& Int(const char* name, G get, S set) {
    return Ord(name, TypeInfoInteger(), get, set);
  }
  template <class G, class S>
  TPublisher& Char(const char* name, G get, S set) {
    return Ord(name, TypeInfoChar(), get, set);
  }
  template <class G, class S>
  TPublisher& Bool(const char* name, G get, S set) {
    return Ord(name, TypeInfoBoolean(), get, set);
  }
  template <class G, class S>
  TPublisher& Enum(const char* name, const TTypeInfo* t, G get, S set) {
    return Ord(name, t, get, set);
  }
  template <class G, class S>
  TPublisher& Set(const char* name, const TTypeInfo* t, G get, S set) {
    TPropInfo p;
    p.Name = name;
    p.PropType = t;
    p.GetOrd = [get](TObject* o) -> int64_t { return (static_cast<C*>(o)->*get)().Bits(); };
    p.SetOrd = [set](TObject* o, int64_t v) {
      using SetT = std::decay_t<decltype((static_cast<C*>(o)->*get)())>;
      (static_cast<C*>(o)->*set)(SetT::FromBits(static_cast<uint32_t>(v)));
    };
    ci_.AddProp(std::move(p));
    return *this;
  }
  template <class G, class S>
  TPublisher& Str(const char* name, G get, S set) {
    TPropInfo p;
    p.Name = name;
    p.PropType = TypeInfoString();
    p.GetStr = [get](TObject* o) -> std::string { return (static_cast<C*>(o)->*get)(); };
    p.SetStr = [set](TObject* o, const std::string& v) { (static_cast<C*>(o)->*set)(v); };
    ci_.AddProp(std::move(p));
    return *this;
  }
  template <class G, class S>
  TPublisher& Float(const char* name, TFloatType ft, G get, S set) {
    TPropInfo p;
    p.Name = name;
    p.PropType = TypeInfoFloat(ft);
    p.GetFloat = [get](TObject* o) -> double { return (static_cast<C*>(o)->*get)(); };
    p.SetFloat = [set](TObject* o, double v) { (static_cast<C*>(o)->*set)(v); };
    ci_.AddProp(std::move(p));
    return *this;
  }
  // A nested object (font, string list); stored through its own published properties.
  template <class G>
  TPublisher& Object(const char* name, G get) {
    TPropInfo p;
    p.Name = name;
    p.PropType = TypeInfoClass();
    p.GetObj = [get](TObject* o) -> TObject* { return (static_cast<C*>(o)->*get)(); };
    ci_.AddProp(std::move(p));
    return *this;
  }
  // An event: listed with the method kind, never stored.
  TPublisher& Method(const char* name) {
    TPropInfo p;
    p.Name = name;
    p.PropType = TypeInfoMethod();
    ci_.AddProp(std::move(p));
    return *this;
  }

 private:
  template <class G, class S>
  TPublisher& Ord(const char* name, const TTypeInfo* t, G get, S set) {
    TPropInfo p;
    p.Name = name;
    p.PropType = t;
    p.GetOrd = [get](TObject* o) -> int64_t { return static_cast<int64_t>((static_cast<C*>(o)->*get)()); };
    p.SetOrd = [set, get](TObject* o, int64_t v) {
      using V = std::decay_t<decltype((static_cast<C*>(o)->*get)())>;
      (static_cast<C*>(o)->*set)(static_cast<V>(v));
    };
    ci_.AddProp(std::move(p));
    return *this;
  }
  TClassInfo& ci_;
};

TClassInfo& RegisterClassInfo(const char* name, std::type_index type, std::type_index parent,
                              bool (*test)(const TObject*));

template <class C>
bool IsInstanceOf(const TObject* o) {
  return dynamic_cast<const C*>(o) != nullptr;
}

}  // namespace vx

// Registers class C (derived from Parent; use TObject at the root) and opens the block
// that declares its own published properties through the publisher P.
#define VX_PUBLISH(C, Parent)                                                                              \
  static void vx_publish_##C(::vx::TPublisher<C>& P);                                                      \
  [[maybe_unused]] static const bool vx_registered_##C = [] {                                              \
    ::vx::TClassInfo& ci = ::vx::RegisterClassInfo(#C, typeid(C), typeid(Parent), &::vx::IsInstanceOf<C>); \
    ::vx::TPublisher<C> pub(ci);                                                                           \
    vx_publish_##C(pub);                                                                                   \
    return true;                                                                                           \
  }();                                                                                                     \
  static void vx_publish_##C([[maybe_unused]] ::vx::TPublisher<C>& P)
