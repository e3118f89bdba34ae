// Chosen published properties of a form's components, written as text values into a
// section of a store and read back. The store is reached only through three call-backs,
// so the same code serves the registry, INI files and tests.
#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "framework/core/Classes.h"
#include "framework/core/Component.h"
#include "framework/core/TypInfo.h"

namespace vx {

// The published properties of one object whose kind lies in a set, in type-information order.
class TPropInfoList : public TObject {
 public:
  TPropInfoList(TObject* object, TTypeKinds filter);
  const char* ClassName() const override { return "TPropInfoList"; }
  int Count() const { return static_cast<int>(list_.size()); }
  PPropInfo Items(int index) const { return list_[static_cast<size_t>(index)]; }
  // The first property whose name equals name ignoring case, or nullptr.
  PPropInfo FindProp(const AnsiString& name) const;
  void Delete(int index);

 private:
  std::vector<PPropInfo> list_;
};

// Every kind except the untyped one and methods: events are never stored.
TTypeKinds StoredPropKinds();

using TReadStrEvent =
    std::function<AnsiString(const AnsiString& section, const AnsiString& key, const AnsiString& deflt)>;
using TWriteStrEvent = std::function<void(const AnsiString& section, const AnsiString& key, const AnsiString& value)>;
using TEraseSectEvent = std::function<void(const AnsiString& section)>;

class TPropsStorage : public TObject {
 public:
  TPropsStorage() = default;
  const char* ClassName() const override { return "TPropsStorage"; }

  TObject* Object() const { return object_; }
  void SetObject(TObject* o) { object_ = o; }
  AnsiString Prefix;
  AnsiString Section;
  TReadStrEvent OnReadString;
  TWriteStrEvent OnWriteString;
  TEraseSectEvent OnEraseSection;

  virtual AnsiString ReadString(const AnsiString& section, const AnsiString& key, const AnsiString& deflt);
  virtual void WriteString(const AnsiString& section, const AnsiString& key, const AnsiString& value);
  virtual void EraseSection(const AnsiString& section);
  virtual AnsiString ItemKey(const AnsiString& propName) const { return Prefix + propName; }
  virtual std::unique_ptr<TPropsStorage> CreateStorage() const;

  void StoreProperties(TComponent* form, TStrings* list);
  void LoadProperties(TComponent* form, TStrings* list);
  void StoreProperty(PPropInfo prop);
  void LoadProperty(PPropInfo prop);

  // The text form of a property's current value; a class property stores its content
  // (string-list sub-section and nested properties) and yields "".
  AnsiString GetPropValue(PPropInfo prop, bool storeContent);
  void SetPropValue(PPropInfo prop, const AnsiString& text);

 private:
  void StoreObjectContent(PPropInfo prop, TObject* obj);
  void LoadObjectContent(PPropInfo prop, TObject* obj);
  void StoreAllOf(TObject* obj, const AnsiString& prefix);
  void LoadAllOf(TObject* obj, const AnsiString& prefix);
  AnsiString ListSection(PPropInfo prop) const;

  TObject* object_ = nullptr;
  int depth_ = 0;  // nesting of object properties; bounded against reference cycles
};

// Directions of UpdateStoredList: attach each line's component (resolving), or rebuild
// each line from its component's current name (naming).
enum TStoredListUpdate { suResolve, suNaming };

void UpdateStoredList(TComponent* form, TStrings* list, TStoredListUpdate direction);
// Splits "Component.Property" at the first "."; both parts trimmed and non-empty.
bool ParseStoredItem(const AnsiString& item, AnsiString& compName, AnsiString& propName);
AnsiString CreateStoredItem(const AnsiString& compName, const AnsiString& propName);
// The line with another component name; empty when the line does not parse.
AnsiString ReplaceComponentName(const AnsiString& item, const AnsiString& compName);

// The stored text rules of each kind, exposed for the store's users and tests.
AnsiString TrimStored(const AnsiString& s);
AnsiString FloatToStoredText(double value, TFloatType type);

}  // namespace vx
