// Persistent objects and string lists. TStrings reaches its storage only through the
// protected virtuals, so a control can back one with its window's own items.
#pragma once

#include <functional>
#include <vector>

#include "framework/core/Object.h"

namespace vx {

class TStream;

class TPersistent : public TObject {
 public:
  const char* ClassName() const override { return "TPersistent"; }
  // Copies source into this object; the base refuses with EConvertError
  // "Cannot assign a %s to a %s".
  virtual void Assign(const TPersistent& source);

 protected:
  // Lets a class accept assignment into another class (tried when Assign refuses).
  virtual bool AssignTo(TPersistent& dest) const;
};

enum TDuplicates { dupIgnore, dupAccept, dupError };

class TStrings : public TPersistent {
 public:
  const char* ClassName() const override { return "TStrings"; }

  int Count() const { return GetCount(); }
  AnsiString Strings(int i) const { return Get(i); }
  void SetStrings(int i, const AnsiString& s) { Put(i, s); }
  AnsiString operator[](int i) const { return Get(i); }
  TObject* Objects(int i) const { return GetObject(i); }
  void SetObjects(int i, TObject* o) { PutObject(i, o); }

  virtual int Add(const AnsiString& s);
  virtual int AddObject(const AnsiString& s, TObject* o);
  void Insert(int index, const AnsiString& s) { InsertObject(index, s, nullptr); }
  virtual void InsertObject(int index, const AnsiString& s, TObject* o);
  virtual void Delete(int index);
  virtual void Clear();
  virtual void Exchange(int a, int b);
  virtual void Move(int from, int to);
  // Case-blind (as AnsiCompareText), the first match, -1 when none.
  virtual int IndexOf(const AnsiString& s) const;
  int IndexOfObject(const TObject* o) const;
  int IndexOfName(const AnsiString& name) const;

  // Lines joined with CR LF, each line ended by one; SetText splits at CR LF, LF or CR.
  virtual AnsiString Text() const;
  virtual void SetText(const AnsiString& text);
  AnsiString CommaText() const;
  void SetCommaText(const AnsiString& text);
  AnsiString Names(int i) const;  // before the first "=", empty when there is none
  AnsiString Values(const AnsiString& name) const;
  void SetValues(const AnsiString& name, const AnsiString& value);  // empty value deletes

  void Assign(const TPersistent& source) override;
  virtual void AddStrings(const TStrings& strings);
  void BeginUpdate();
  void EndUpdate();
  int UpdateCount() const { return updateCount_; }

  void LoadFromFile(const AnsiString& fileName);
  void SaveToFile(const AnsiString& fileName) const;
  virtual void LoadFromStream(TStream& s);
  virtual void SaveToStream(TStream& s) const;

 protected:
  virtual AnsiString Get(int index) const = 0;
  virtual void Put(int index, const AnsiString& s);
  virtual TObject* GetObject(int index) const;
  virtual void PutObject(int index, TObject* o);
  virtual int GetCount() const = 0;
  virtual void InsertItem(int index, const AnsiString& s, TObject* o) = 0;
  virtual void DeleteItem(int index) = 0;
  virtual void ClearItems();
  virtual void SetUpdateState(bool updating);
  // The comparison of IndexOf and its kin.
  virtual int CompareStrings(const AnsiString& a, const AnsiString& b) const;
  [[noreturn]] static void IndexError(int index);

 private:
  int updateCount_ = 0;
};

class TStringList : public TStrings {
 public:
  explicit TStringList(bool ownsObjects = false) : ownsObjects_(ownsObjects) {}
  ~TStringList() override;
  const char* ClassName() const override { return "TStringList"; }

  int Add(const AnsiString& s) override { return AddObject(s, nullptr); }
  int AddObject(const AnsiString& s, TObject* o) override;
  void InsertObject(int index, const AnsiString& s, TObject* o) override;
  void Delete(int index) override;
  void Clear() override;
  void Exchange(int a, int b) override;
  void Move(int from, int to) override;
  int IndexOf(const AnsiString& s) const override;
  // Binary search of a sorted list: true and the first equal index, or false and the
  // index where s would go.
  bool Find(const AnsiString& s, int& index) const;
  void Sort();
  // cmp(list, i, j) < 0 when item i goes before item j; equal items keep their order.
  void CustomSort(const std::function<int(TStringList&, int, int)>& cmp);

  bool Sorted() const { return sorted_; }
  void SetSorted(bool v);
  TDuplicates Duplicates() const { return duplicates_; }
  void SetDuplicates(TDuplicates d) { duplicates_ = d; }
  bool CaseSensitive() const { return caseSensitive_; }
  void SetCaseSensitive(bool v);
  // Room for this many entries before the list grows again (never below Count).
  int Capacity() const { return static_cast<int>(items_.capacity()); }
  void SetCapacity(int n) {
    if (n > Count()) items_.reserve(static_cast<size_t>(n));
  }
  bool OwnsObjects() const { return ownsObjects_; }
  void SetOwnsObjects(bool v) { ownsObjects_ = v; }

  TNotifyEvent OnChange;
  TNotifyEvent OnChanging;

 protected:
  AnsiString Get(int index) const override;
  void Put(int index, const AnsiString& s) override;
  TObject* GetObject(int index) const override;
  void PutObject(int index, TObject* o) override;
  int GetCount() const override { return static_cast<int>(items_.size()); }
  void InsertItem(int index, const AnsiString& s, TObject* o) override;
  void DeleteItem(int index) override;
  void ClearItems() override;
  void SetUpdateState(bool updating) override;
  int CompareStrings(const AnsiString& a, const AnsiString& b) const override;
  virtual void Changed();
  virtual void Changing();

 private:
  struct Item {
    AnsiString s;
    TObject* o;
  };
  void Check(int index) const {
    if (index < 0 || index >= static_cast<int>(items_.size())) IndexError(index);
  }

  std::vector<Item> items_;
  bool ownsObjects_;
  bool sorted_ = false;
  bool caseSensitive_ = false;
  bool updating_ = false;
  TDuplicates duplicates_ = dupIgnore;
};

// Lines each ended by CR LF, as a string list's Text gives them.
AnsiString LinesText(const std::vector<AnsiString>& lines);

}  // namespace vx
