// Windows without a control: hidden utility windows whose messages go to a callable, and
// object instances, real window procedures bound to a callable through a small thunk.
#include "framework/win/UtilityWindows.h"

#include <cstdint>
#include <cstring>
#include <new>
#include <unordered_map>

#include "framework/core/Exceptions.h"
#include "framework/win/Forms.h"

namespace vx {

namespace {

std::unordered_map<HWND, std::function<void(TMessage&)>>& UtilityProcs() {
  static auto* procs = new std::unordered_map<HWND, std::function<void(TMessage&)>>;
  return *procs;
}

LRESULT CALLBACK UtilityWindowProc(HWND h, UINT msg, WPARAM w, LPARAM l) {
  auto& procs = UtilityProcs();
  auto it = procs.find(h);
  if (it == procs.end()) return DefWindowProcA(h, msg, w, l);
  TMessage m{msg, w, l, 0};
  try {
    auto proc = it->second;
    proc(m);
  } catch (...) {
    Application->HandleException(nullptr);
  }
  return m.Result;
}

struct Instance {
  unsigned char code[16];
  std::function<void(TMessage&)> proc;
};

LRESULT CALLBACK InstanceEntry(Instance* inst, HWND h, UINT msg, WPARAM w, LPARAM l) {
  TMessage m{msg, w, l, 0};
  try {
    inst->proc(m);
  } catch (...) {
    Application->HandleException(nullptr);
  }
  return m.Result;
}

}  // namespace

HWND AllocateHWnd(std::function<void(TMessage&)> proc) {
  static const char* cls = [] {
    WNDCLASSA wc{};
    wc.lpfnWndProc = UtilityWindowProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "VxUtilWindow";
    RegisterClassA(&wc);
    return "VxUtilWindow";
  }();
  HWND h = CreateWindowExA(WS_EX_TOOLWINDOW, cls, "", WS_POPUP, 0, 0, 0, 0, nullptr, nullptr, GetModuleHandleA(nullptr),
                           nullptr);
  if (!h) throw EOutOfResources("Out of Resources");
  UtilityProcs()[h] = std::move(proc);
  return h;
}

void DeallocateHWnd(HWND h) {
  UtilityProcs().erase(h);
  if (h) DestroyWindow(h);
}

// The thunk pushes its Instance* in front of the four arguments and jumps to
// InstanceEntry, a stdcall function of five arguments that pops all of them.
WNDPROC MakeObjectInstance(std::function<void(TMessage&)> proc) {
  void* mem = VirtualAlloc(nullptr, sizeof(Instance), MEM_COMMIT | MEM_RESERVE, PAGE_EXECUTE_READWRITE);
  if (!mem) throw EOutOfResources("Out of Resources");
  auto* inst = new (mem) Instance;
  inst->proc = std::move(proc);
  unsigned char* c = inst->code;
  uint32_t self = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(inst));
  uint32_t entry = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(&InstanceEntry));
  c[0] = 0x58;  // pop eax (return address)
  c[1] = 0x68;  // push imm32 (the instance)
  std::memcpy(c + 2, &self, 4);
  c[6] = 0x50;  // push eax
  c[7] = 0xB8;  // mov eax, imm32
  std::memcpy(c + 8, &entry, 4);
  c[12] = 0xFF;  // jmp eax
  c[13] = 0xE0;
  FlushInstructionCache(GetCurrentProcess(), inst, sizeof(Instance));
  return reinterpret_cast<WNDPROC>(static_cast<void*>(inst->code));
}

void FreeObjectInstance(WNDPROC p) {
  if (!p) return;
  auto* inst = reinterpret_cast<Instance*>(reinterpret_cast<void*>(p));
  inst->~Instance();
  VirtualFree(inst, 0, MEM_RELEASE);
}

}  // namespace vx
