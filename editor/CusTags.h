// The custom tag list ("vornix.cti") and the custom tool list ("vornix.tsi"), owned by the
// main frame for the whole run.
#pragma once

#include "framework/core/Classes.h"

namespace vx {

class TCusItemList : public TObject {
 public:
  const char* ClassName() const override { return "TCusItemList"; }
  int Count() const { return names_.Count(); }
  const TStringList& Names() const { return names_; }
  void Clear() { names_.Clear(); }
  // Reads the file; an unreadable file raises the stream's error.
  virtual void LoadFromFile(const AnsiString& fileName) = 0;

 protected:
  TStringList names_;
};

class TCusTags : public TCusItemList {
 public:
  const char* ClassName() const override { return "TCusTags"; }
  void LoadFromFile(const AnsiString& fileName) override;
};

class TCusTool : public TCusItemList {
 public:
  const char* ClassName() const override { return "TCusTool"; }
  void LoadFromFile(const AnsiString& fileName) override;
};

}  // namespace vx
