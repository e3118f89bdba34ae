// <windows.h> for framework code. Macros that would rename portable members
// (TStrings::GetObject becoming GetObjectA) are undone; call the ...A functions by name.
#pragma once

#include <windows.h>

#undef GetObject
#undef GetPrinter
