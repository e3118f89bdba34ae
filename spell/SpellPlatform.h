// What the spell checker's portable core needs from the platform: code-page conversion of
// words, the Windows folder, message boxes, and read-only access to a dictionary file.
// On Windows these are the system's own; the native build stands in with code page 437
// and 1252 tables and a settable folder, so native tests see what Windows gives.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>

#include "framework/core/Object.h"

namespace vx {

// A word of at most 50 characters converted between the OEM code page (the dictionary's)
// and the ANSI code page (the controls'), character by character.
AnsiString OemToAnsiWord(const AnsiString& word);
AnsiString AnsiToOemWord(const AnsiString& word);
// False when the OEM code page has no place for one of the word's letters, so that the
// conversion would put another letter there (the platform writes ø as o): such a word
// cannot be in a main dictionary and must not be looked up there in a changed form.
bool OemHoldsWord(const AnsiString& ansiWord);
// Whole texts, converted in place (one byte stays one byte).
void AnsiToOemText(char* text, size_t length);
void OemToAnsiText(char* text, size_t length);

// The Windows folder without a trailing backslash.
AnsiString WindowsFolder();
#ifndef _WIN32
// Native stand-in for tests.
void SetWindowsFolder(const AnsiString& folder);
#endif

// Message boxes of the spell checker. The window side routes them through the
// application's message box (and so its test seam); natively they go to a hook.
enum TSpellMsgKind { smError, smInformation, smConfirmation };
// The answer: IDOK (1), IDYES (6) or IDNO (7) as the platform numbers them.
using TSpellMessageHook = std::function<int(const AnsiString& text, TSpellMsgKind kind)>;
void SetSpellMessageHook(TSpellMessageHook hook);
int SpellMessage(const AnsiString& text, TSpellMsgKind kind);
constexpr int kSpellOk = 1, kSpellYes = 6, kSpellNo = 7;

// A file opened for reading only, read at any offset. A read past the end gives fewer
// bytes; the file is mapped where the platform allows, so a read costs a copy rather than
// a system call.
class TReadOnlyFile {
 public:
  virtual ~TReadOnlyFile() = default;
  virtual int64_t Size() const = 0;
  // Copies up to count bytes from offset; returns how many (0 at or past the end).
  virtual int ReadAt(int64_t offset, void* buffer, int count) = 0;
};
// nullptr when the file cannot be opened.
std::unique_ptr<TReadOnlyFile> OpenReadOnlyFile(const AnsiString& name);

// Size of a file in bytes, -1 when it does not exist.
int64_t FileSizeOf(const AnsiString& name);

}  // namespace vx
