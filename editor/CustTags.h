// The custom tags: named pairs of texts put before and after the selection, each typed in
// or read from a file at insertion time; kept in "vornix.cti" in the program folder.
#pragma once

#include "editor/CusList.h"

namespace vx {

class TCusTagItem : public TPersistent {
 public:
  const char* ClassName() const override { return "TCusTagItem"; }
  const AnsiString& Name() const { return name_; }
  void SetName(const AnsiString& v) { name_ = v; }
  // The text before the selection, or the name of the file that holds it.
  const AnsiString& Before() const { return before_; }
  void SetBefore(const AnsiString& v) { before_ = v; }
  bool BeforeIsFile() const { return beforeIsFile_; }
  void SetBeforeIsFile(bool v) { beforeIsFile_ = v; }
  const AnsiString& After() const { return after_; }
  void SetAfter(const AnsiString& v) { after_ = v; }
  bool AfterIsFile() const { return afterIsFile_; }
  void SetAfterIsFile(bool v) { afterIsFile_ = v; }

  void Assign(const TPersistent& source) override;
  void ReadData(TReader& r);
  void WriteData(TWriter& w) const;

 private:
  AnsiString name_, before_, after_;
  bool beforeIsFile_ = false, afterIsFile_ = false;
};

class TCusTags : public TCusItemList<TCusTagItem> {
 public:
  const char* ClassName() const override { return "TCusTags"; }
  // The custom tag editor on this list; true when it ended with OK (the list changed).
  bool Edit();
};

}  // namespace vx
