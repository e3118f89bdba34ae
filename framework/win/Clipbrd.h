// The clipboard's text.
#pragma once

#include "framework/win/WinApi.h"

#include "framework/core/Object.h"

namespace vx {

class TClipboard : public TObject {
 public:
  const char* ClassName() const override { return "TClipboard"; }
  AnsiString AsText();
  void SetAsText(const AnsiString& text);
  bool HasFormat(UINT format);
  void Clear();
};

TClipboard* Clipboard();

}  // namespace vx
