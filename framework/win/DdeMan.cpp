#include "framework/win/DdeMan.h"

#include "framework/win/Programs.h"

#include <vector>

namespace vx {

namespace {
// A client answers nothing itself; the call-back only has to exist, and never throws.
HDDEDATA CALLBACK ClientCallback(UINT, UINT, HCONV, HSZ, HSZ, HDDEDATA, ULONG_PTR, ULONG_PTR) { return nullptr; }

// A string handle of the instance, freed with the scope.
class TDdeString {
 public:
  TDdeString(DWORD inst, const AnsiString& s)
      : inst_(inst), h_(DdeCreateStringHandleA(inst, const_cast<char*>(s.c_str()), CP_WINANSI)) {}
  ~TDdeString() {
    if (h_) DdeFreeStringHandle(inst_, h_);
  }
  TDdeString(const TDdeString&) = delete;
  TDdeString& operator=(const TDdeString&) = delete;
  HSZ Get() const { return h_; }

 private:
  DWORD inst_;
  HSZ h_;
};
}  // namespace

TDdeClientConv::TDdeClientConv(TComponent* owner) : TComponent(owner) {}

TDdeClientConv::~TDdeClientConv() = default;

void TDdeClientConv::BeforeDestruction() {
  CloseLink();
  if (inst_) DdeUninitialize(inst_);
  inst_ = 0;
  TComponent::BeforeDestruction();
}

bool TDdeClientConv::SetLink(const AnsiString& service, const AnsiString& topic) {
  CloseLink();
  service_ = service;
  topic_ = topic;
  return !service_.empty() && !topic_.empty();
}

bool TDdeClientConv::Connect() {
  if (!inst_ && DdeInitializeA(&inst_, ClientCallback, APPCMD_CLIENTONLY, 0) != DMLERR_NO_ERROR) {
    inst_ = 0;
    return false;
  }
  TDdeString service(inst_, service_), topic(inst_, topic_);
  if (!service.Get() || !topic.Get()) return false;
  conv_ = DdeConnect(inst_, service.Get(), topic.Get(), nullptr);
  return conv_ != nullptr;
}

bool TDdeClientConv::StartServiceApplication() {
  HANDLE process = nullptr;
  if (!StartProgram(QuotedIfBlank(serviceApplication_), SW_SHOWMINNOACTIVE, &process)) return false;
  // The server registers its service before it first waits for input.
  WaitForInputIdle(process, timeout_);
  CloseHandle(process);
  return true;
}

bool TDdeClientConv::OpenLink() {
  if (conv_) return true;
  if (service_.empty() || topic_.empty()) return false;
  if (Connect()) return true;
  if (serviceApplication_.empty() || !StartServiceApplication()) return false;
  return Connect();
}

void TDdeClientConv::CloseLink() {
  if (conv_) DdeDisconnect(conv_);
  conv_ = nullptr;
}

bool TDdeClientConv::RequestData(const AnsiString& item, AnsiString& answer) {
  answer.clear();
  if (!conv_) return false;
  TDdeString hsz(inst_, item);
  if (!hsz.Get()) return false;
  DWORD result = 0;
  HDDEDATA data = DdeClientTransaction(nullptr, 0, conv_, hsz.Get(), CF_TEXT, XTYP_REQUEST, timeout_, &result);
  if (!data) return false;
  DWORD size = DdeGetData(data, nullptr, 0, 0);
  std::vector<char> buf(size + 1, '\0');
  if (size) DdeGetData(data, reinterpret_cast<LPBYTE>(buf.data()), size, 0);
  DdeFreeDataHandle(data);
  answer = buf.data();
  return true;
}

AnsiString TDdeClientConv::RequestData(const AnsiString& item) {
  AnsiString a;
  RequestData(item, a);
  return a;
}

}  // namespace vx
