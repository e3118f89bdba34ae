// The viewer benchmarks' window and arguments.
#pragma once

#include <windows.h>

#include <cstdlib>
#include <vector>

#include "framework/win/Forms.h"

namespace vx {

// A new form of the given size, filled by a new control of type T, shown with its first
// messages handled; the form is the caller's to free.
template <class T>
T* ShowFilledForm(TForm*& form, int width, int height) {
  form = CreateForm<TForm>(Application);
  form->SetBounds(0, 0, width, height);
  auto* control = new T(form);
  control->SetParent(form);
  control->SetAlign(alClient);
  form->Show();
  Application->ProcessMessages();
  return control;
}

// The counts named on the command line, or 1,000, 3,000 and 10,000.
inline std::vector<int> BenchCounts(int argc, char** argv) {
  std::vector<int> counts;
  for (int i = 1; i < argc; ++i) counts.push_back(std::atoi(argv[i]));
  if (counts.empty()) counts = {1000, 3000, 10000};
  return counts;
}

}  // namespace vx
