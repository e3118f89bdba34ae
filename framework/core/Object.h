// Root of the class tree: every framework and application class derives from TObject,
// so string lists can hold any object and ClassName() gives the system's own class names.
#pragma once

#include <functional>
#include <string>

namespace vx {

using AnsiString = std::string;

class TObject {
 public:
  TObject() = default;
  TObject(const TObject&) = delete;
  TObject& operator=(const TObject&) = delete;
  virtual ~TObject() = default;
  // The class name as the system knows it ("TFrameForm"), never a compiler-made name.
  virtual const char* ClassName() const { return "TObject"; }
};

using TNotifyEvent = std::function<void(TObject* Sender)>;

}  // namespace vx
