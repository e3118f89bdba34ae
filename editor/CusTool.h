// The custom tools: named programs started from the Tools menu with a parameter text in
// which "%s" stands for the current document's file; kept in "vornix.tsi".
#pragma once

#include "editor/CusList.h"

namespace vx {

class TCusToolItem : public TPersistent {
 public:
  const char* ClassName() const override { return "TCusToolItem"; }
  const AnsiString& Name() const { return name_; }
  void SetName(const AnsiString& v) { name_ = v; }
  // The program file.
  const AnsiString& Command() const { return command_; }
  void SetCommand(const AnsiString& v) { command_ = v; }
  const AnsiString& Params() const { return params_; }
  void SetParams(const AnsiString& v) { params_ = v; }
  // Save the current document before the tool starts.
  bool SaveFirst() const { return saveFirst_; }
  void SetSaveFirst(bool v) { saveFirst_ = v; }

  void Assign(const TPersistent& source) override;
  void ReadData(TReader& r);
  void WriteData(TWriter& w) const;

 private:
  AnsiString name_, command_, params_;
  bool saveFirst_ = false;
};

class TCusTool : public TCusItemList<TCusToolItem> {
 public:
  const char* ClassName() const override { return "TCusTool"; }
  // The custom tool editor on this list; true when it ended with OK (the list changed).
  bool Edit();
};

// The command line that starts a tool: the program (quoted when it holds a blank) and
// the parameters, each "%s" replaced by the document's file name as plain text.
AnsiString ToolCommandLine(const TCusToolItem& tool, const AnsiString& documentName);
// Starts the tool on the current document (saved first when the tool asks for it); a
// program that is missing or cannot start is reported.
void StartCustomTool(const TCusToolItem& tool);

}  // namespace vx
