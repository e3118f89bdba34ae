// The platform's part of a safe save, shared by every save of the programs and by the
// edit control's DLL: one source per platform (SafeSaveWin32.cpp, SafeSavePosix.cpp),
// chosen by CMake. It throws nothing, so that the DLL can use it as it is.
#pragma once

#include "framework/core/Object.h"

namespace vx {

// The files of one save: the file it replaces and a temporary file beside it, where the
// caller writes the new text. Until Replace succeeds, the destructor removes the
// temporary file, and a file that Prepare made.
class TSaveFiles {
 public:
  TSaveFiles() = default;
  ~TSaveFiles();
  TSaveFiles(const TSaveFiles&) = delete;
  TSaveFiles& operator=(const TSaveFiles&) = delete;

  // Finds the file a save of fileName replaces: fileName itself, or the file a link leads
  // to, so that the link stays. A name with no file yet is made, empty, through the name
  // itself: the system follows a link to where its file belongs. Then makes an empty
  // temporary file in the target's folder. False, with the system's error as the last
  // error (errno on POSIX), when the save cannot go there: a read-only file, a folder, a
  // loop of links, a folder that is not there.
  bool Prepare(const AnsiString& fileName);
  const AnsiString& Target() const { return target_; }
  const AnsiString& Temporary() const { return temporary_; }
  // Puts the complete, closed temporary file in place of the target in one rename, which
  // the file system makes atomic: the target's name holds the whole old file or the whole
  // new one at every moment. The new file takes the old one's attributes (permissions
  // on POSIX) before it takes its name. False, with the last error, when the target is
  // left as it was.
  bool Replace();

 private:
  AnsiString target_, temporary_;
  bool made_ = false;  // the target is the empty file Prepare made
  bool done_ = false;
};

}  // namespace vx
