// A DDE client conversation: a link to a service and topic, opened on demand (starting the
// service's program when no server answers), and synchronous requests with a time limit.
#pragma once

#include "framework/win/WinApi.h"

#include <ddeml.h>

#include "framework/core/Component.h"

namespace vx {

enum TDataMode { ddeAutomatic, ddeManual };

class TDdeClientConv : public TComponent {
 public:
  explicit TDdeClientConv(TComponent* owner);
  const char* ClassName() const override { return "TDdeClientConv"; }

  TDataMode ConnectMode() const { return connectMode_; }
  void SetConnectMode(TDataMode m) { connectMode_ = m; }
  // The program started when no server answers (a path; blanks are quoted when it starts).
  const AnsiString& ServiceApplication() const { return serviceApplication_; }
  void SetServiceApplication(const AnsiString& s) { serviceApplication_ = s; }
  const AnsiString& DdeService() const { return service_; }
  const AnsiString& DdeTopic() const { return topic_; }
  // How long a request waits for its answer, in milliseconds.
  unsigned Timeout() const { return timeout_; }
  void SetTimeout(unsigned ms) { timeout_ = ms; }

  // Closes an open link and names the next one; false for an empty service or topic, which
  // would reach whichever server answers.
  bool SetLink(const AnsiString& service, const AnsiString& topic);
  // Connects; when no server answers and a service program is set, starts it minimised
  // without activation and tries once more. False when no conversation came about.
  bool OpenLink();
  void CloseLink();
  bool Connected() const { return conv_ != nullptr; }
  // A synchronous request: true and the answer's text when the server answered in time.
  bool RequestData(const AnsiString& item, AnsiString& answer);
  AnsiString RequestData(const AnsiString& item);

 protected:
  void BeforeDestruction() override;

 private:
  bool Connect();
  bool StartServiceApplication();
  TDataMode connectMode_ = ddeAutomatic;
  AnsiString serviceApplication_, service_, topic_;
  unsigned timeout_ = 10000;
  DWORD inst_ = 0;
  HCONV conv_ = nullptr;

 protected:
  ~TDdeClientConv() override;
};

}  // namespace vx
