// Stands in for a custom tool: writes the command line it was started with to
// cmdline.txt beside itself, then ends.
#include <windows.h>

#include <cstring>

int main() {
  char path[MAX_PATH];
  DWORD n = GetModuleFileNameA(nullptr, path, MAX_PATH);
  while (n > 0 && path[n - 1] != '\\') --n;
  strcpy(path + n, "cmdline.txt");
  const char* line = GetCommandLineA();
  HANDLE f = CreateFileA(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (f == INVALID_HANDLE_VALUE) return 1;
  DWORD written = 0;
  WriteFile(f, line, static_cast<DWORD>(strlen(line)), &written, nullptr);
  CloseHandle(f);
  return 0;
}
