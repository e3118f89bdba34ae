// The filter editor: a file-dialog filter text ("name|mask|name|mask") as a table of
// name and mask rows.
#pragma once

#include "framework/win/Forms.h"
#include "framework/win/Grids.h"
#include "framework/win/StdCtrls.h"

namespace vx {

class TfrmFilter : public TForm {
 public:
  explicit TfrmFilter(TComponent* owner);
  const char* ClassName() const override { return "TfrmFilter"; }

  // Fills the rows from a filter text; the table grows for more than 19 pairs.
  void SetFilter(const AnsiString& filter);
  // The filter text of the rows; rows with neither name nor mask are left out.
  AnsiString GetFilter();

  TStringGrid* StringGrid1;
  TButton* btnOK;
  TButton* btnCancel;
  void FormCreate(TObject* Sender);

 protected:
  ~TfrmFilter() override = default;
};

}  // namespace vx
