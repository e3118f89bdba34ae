// Command-line splitting of the VCLUtils unit: parameters separated by blanks and control
// characters, double quotes protecting blanks and being dropped.
#include "toolkit/VCLUtils.h"

#include "framework/core/SysUtils.h"

namespace vx {

namespace {

// One parameter from p onwards; p is left after it.
AnsiString NextParam(const char*& p) {
  for (;;) {
    while (*p >= 1 && static_cast<unsigned char>(*p) <= ' ') ++p;
    if (p[0] == '"' && p[1] == '"')
      p += 2;
    else
      break;
  }
  AnsiString out;
  while (static_cast<unsigned char>(*p) > ' ') {
    if (*p == '"') {
      ++p;
      while (*p && *p != '"') out += *p++;
      if (*p) ++p;
    } else {
      out += *p++;
    }
  }
  return out;
}

}  // namespace

int CommandLineParamCount(const AnsiString& cmdLine) {
  const char* p = cmdLine.c_str();
  int count = 0;
  while (!NextParam(p).empty()) ++count;
  return count;
}

AnsiString CommandLineParam(const AnsiString& cmdLine, int index) {
  const char* p = cmdLine.c_str();
  AnsiString param;
  for (int i = 0; i <= index; ++i) {
    param = NextParam(p);
    if (param.empty()) break;
  }
  return param;
}

void SplitCommandLine(const AnsiString& cmdLine, AnsiString& program, AnsiString& params) {
  program.clear();
  params.clear();
  const char* p = cmdLine.c_str();
  program = NextParam(p);
  if (program.empty()) return;
  for (AnsiString s = NextParam(p); !s.empty(); s = NextParam(p)) {
    if (!params.empty()) params += ' ';
    params += QuotedIfBlank(s);
  }
}

}  // namespace vx
