// The attribute editor's help pane while no HTML viewer control is part of the build:
// the help document shown as read-only text, with each attribute's heading found by the
// name of its anchor.
#pragma once

#include <vector>

#include "framework/win/StdCtrls.h"

namespace vx {

class TParHelpView : public TMemo {
 public:
  explicit TParHelpView(TComponent* owner);
  const char* ClassName() const override { return "TParHelpView"; }
  // The HTML as text: tags dropped, paragraphs and headings on lines of their own.
  void LoadFromString(const AnsiString& html);
  // Scrolls the line of the anchor to the top ("#" dropped, names without regard to
  // case); false when there is no such anchor.
  bool PositionTo(const AnsiString& dest);
  // The first line shown.
  int TopLine();

 private:
  std::vector<std::pair<AnsiString, int>> anchors_;  // name, first character of its line
};

}  // namespace vx
