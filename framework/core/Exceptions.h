// The exception family: every failure the system reports carries its message text.
#pragma once

#include <exception>
#include <string>

namespace vx {

class Exception : public std::exception {
 public:
  explicit Exception(std::string message) : message_(std::move(message)) {}
  const std::string& Message() const { return message_; }
  void SetMessage(std::string m) { message_ = std::move(m); }
  const char* what() const noexcept override { return message_.c_str(); }
  virtual const char* ClassName() const { return "Exception"; }

 private:
  std::string message_;
};

#define VX_EXCEPTION(Name, Base)                             \
  class Name : public Base {                                 \
   public:                                                   \
    using Base::Base;                                        \
    const char* ClassName() const override { return #Name; } \
  }

VX_EXCEPTION(EConvertError, Exception);
VX_EXCEPTION(EStringListError, Exception);
VX_EXCEPTION(EInvalidOperation, Exception);
VX_EXCEPTION(EInvalidPointer, Exception);
VX_EXCEPTION(EStreamError, Exception);
VX_EXCEPTION(EReadError, EStreamError);
VX_EXCEPTION(EWriteError, EStreamError);
VX_EXCEPTION(EFOpenError, EStreamError);
VX_EXCEPTION(EFCreateError, EStreamError);
VX_EXCEPTION(EInOutError, Exception);  // a file that cannot be found or read

}  // namespace vx
