// A stand-in for an external browser, for the preview tests. Started with arguments it
// records its command line and current folder and ends. Started without, it is a DDE
// server whose service is its own file name without extension, offering the topics
// WWW_OpenURL and WWW_Activate, and records every connection and request; it ends after
// the activation request, or after a minute. With VX_FAKE_BROWSER_MUTE=1 it takes requests
// and never answers them. Records go to VX_FAKE_BROWSER_LOG, else to its name + ".log".
#include <windows.h>
#include <ddeml.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

DWORD inst = 0;
std::string logName;
bool mute = false;

void Record(const std::string& line) {
  if (FILE* f = std::fopen(logName.c_str(), "ab")) {
    std::fprintf(f, "%s\n", line.c_str());
    std::fclose(f);
  }
}

std::string Str(HSZ h) {
  char buf[1024] = "";
  DdeQueryStringA(inst, h, buf, sizeof buf, CP_WINANSI);
  return buf;
}

HDDEDATA CALLBACK Callback(UINT type, UINT, HCONV, HSZ topic, HSZ item, HDDEDATA, ULONG_PTR, ULONG_PTR) {
  switch (type) {
    case XTYP_CONNECT: {
      std::string t = Str(topic);
      Record("connect|" + t);
      return reinterpret_cast<HDDEDATA>(static_cast<ULONG_PTR>(t == "WWW_OpenURL" || t == "WWW_Activate"));
    }
    case XTYP_REQUEST: {
      std::string t = Str(topic), i = Str(item);
      Record("request|" + t + "|" + i);
      if (mute) return CBR_BLOCK;
      if (t == "WWW_Activate") SetTimer(nullptr, 0, 300, nullptr);  // answer first, then end
      static const char answer[] = "1";
      return DdeCreateDataHandle(inst, reinterpret_cast<LPBYTE>(const_cast<char*>(answer)), sizeof answer, 0, item,
                                 CF_TEXT, 0);
    }
    default: return nullptr;
  }
}

}  // namespace

int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR, int show) {
  char self[MAX_PATH];
  GetModuleFileNameA(nullptr, self, MAX_PATH);
  const char* env = std::getenv("VX_FAKE_BROWSER_LOG");
  logName = env && *env ? env : std::string(self) + ".log";
  mute = std::getenv("VX_FAKE_BROWSER_MUTE") && std::string(std::getenv("VX_FAKE_BROWSER_MUTE")) == "1";
  char cwd[MAX_PATH];
  GetCurrentDirectoryA(MAX_PATH, cwd);
  Record(std::string("start|") + GetCommandLineA() + "|" + cwd + "|" + std::to_string(show));
  // Arguments after the program's own (maybe quoted) name: a file to show.
  const char* rest = GetCommandLineA();
  if (*rest == '"') {
    rest = std::strchr(rest + 1, '"');
    rest = rest ? rest + 1 : "";
  } else {
    while (*rest && *rest != ' ') ++rest;
  }
  while (*rest == ' ') ++rest;
  if (*rest) return 0;
  std::string name = self;
  name = name.substr(name.find_last_of('\\') + 1);
  name = name.substr(0, name.find('.'));
  if (DdeInitializeA(&inst, Callback, APPCLASS_STANDARD | CBF_SKIP_ALLNOTIFICATIONS, 0) != DMLERR_NO_ERROR) return 1;
  HSZ service = DdeCreateStringHandleA(inst, name.c_str(), CP_WINANSI);
  DdeNameService(inst, service, nullptr, DNS_REGISTER);
  Record("serving|" + name);
  SetTimer(nullptr, 1, 60000, nullptr);
  MSG m;
  while (GetMessageA(&m, nullptr, 0, 0) > 0) {
    if (m.message == WM_TIMER && m.hwnd == nullptr) break;
    TranslateMessage(&m);
    DispatchMessageA(&m);
  }
  DdeNameService(inst, service, nullptr, DNS_UNREGISTER);
  DdeFreeStringHandle(inst, service);
  DdeUninitialize(inst);
  Record("end");
  return 0;
}
