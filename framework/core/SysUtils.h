// Strings, numbers and file names: 8-bit text in code page 1252 with the platform's own
// case and collation rules, written portably so that native tests see what Windows sees.
#pragma once

#include <cstdint>
#include <string>

#include "framework/core/Object.h"

#ifdef DeleteFile
#undef DeleteFile
#endif

namespace vx {

// Case mapping of code page 1252 as CharUpperA / CharLowerA do it (accented letters,
// the ligature oe, s and z with caron, y with diaeresis).
AnsiString AnsiUpperCase(const AnsiString& s);
AnsiString AnsiLowerCase(const AnsiString& s);
char AnsiUpperChar(char c);
char AnsiLowerChar(char c);
// The letters A-Z only.
AnsiString UpperCase(const AnsiString& s);
AnsiString LowerCase(const AnsiString& s);

// Word-sort collation as CompareStringA gives it for code page 1252: letters before
// digits before punctuation is not byte order; hyphens and apostrophes weigh only when
// all else is equal. Results are <0, 0, >0.
int AnsiCompareText(const AnsiString& a, const AnsiString& b);  // case-blind
int AnsiCompareStr(const AnsiString& a, const AnsiString& b);   // case-aware
bool AnsiSameText(const AnsiString& a, const AnsiString& b);
bool AnsiSameStr(const AnsiString& a, const AnsiString& b);
// Byte order with A-Z folded to a-z.
int CompareText(const AnsiString& a, const AnsiString& b);
bool SameText(const AnsiString& a, const AnsiString& b);
// Plain byte order.
int CompareStr(const AnsiString& a, const AnsiString& b);

AnsiString IntToStr(int64_t v);
AnsiString IntToHex(int64_t v, int digits);
// Decimal, or hexadecimal after "0x" / "$"; blanks around are allowed. StrToInt throws
// EConvertError "'%s' is not a valid integer value".
int StrToInt(const AnsiString& s);
int StrToIntDef(const AnsiString& s, int def);
bool TryStrToInt(const AnsiString& s, int& value);
// Exactly a decimal number in 32-bit range, with an optional sign: no blanks, no hexadecimal.
bool TryDecimalToInt(const AnsiString& s, int& value);
// Converts stored integer text as the registry and INI stores read it: decimal, or
// hexadecimal after "0x"/"0X" when the text is longer than two characters; blanks around
// it are ignored; anything else, or a number out of 32-bit range, gives deflt.
int StoredTextToInt(const AnsiString& text, int deflt);
AnsiString FloatToStr(double v);

// Characters up to and including the blank count as blanks.
AnsiString Trim(const AnsiString& s);
AnsiString TrimLeft(const AnsiString& s);
AnsiString TrimRight(const AnsiString& s);

AnsiString Format(const char* fmt, ...)
#if defined(__GNUC__)
    __attribute__((format(printf, 1, 2)))
#endif
    ;
AnsiString StrPas(const char* s);
AnsiString QuotedStr(const AnsiString& s);
// A path or argument as one word of a command line: in double quotes when it holds a blank.
AnsiString QuotedIfBlank(const AnsiString& s);

enum TReplaceFlag : unsigned { rfReplaceAll = 1, rfIgnoreCase = 2 };
using TReplaceFlags = unsigned;
AnsiString StringReplace(const AnsiString& s, const AnsiString& from, const AnsiString& to, TReplaceFlags flags);
// 1-based position of sub in s, 0 when absent.
int Pos(const AnsiString& sub, const AnsiString& s);
// count characters from the 1-based index; out-of-range parts are clipped.
AnsiString Copy(const AnsiString& s, int index1, int count);

// File names. "\" is the folder separator (and "/" is accepted as well); ":" ends a drive.
#ifdef _WIN32
constexpr char PathDelim = '\\';
#else
constexpr char PathDelim = '/';
#endif
bool IsPathDelimiter(char c);
AnsiString ExtractFilePath(const AnsiString& name);  // with the trailing separator
AnsiString ExtractFileDir(const AnsiString& name);   // without it (but "C:\" stays)
AnsiString ExtractFileName(const AnsiString& name);
AnsiString ExtractFileExt(const AnsiString& name);  // with the dot
AnsiString ChangeFileExt(const AnsiString& name, const AnsiString& ext);
AnsiString IncludeTrailingBackslash(const AnsiString& s);
AnsiString ExcludeTrailingBackslash(const AnsiString& s);
AnsiString ExpandFileName(const AnsiString& name);
bool FileExists(const AnsiString& name);
// The file a name leads to at the end of its chain of symbolic links (under Wine, the
// Linux links that a Z: path passes through), as a full name; the name itself when it is
// no link. A link whose file is gone gives the name that file would have on the host;
// Windows shows no such link, and gives the name itself. Empty when the chain is a loop,
// with the system's error as the last error (errno on the host).
AnsiString FinalFileName(const AnsiString& name);
bool DirectoryExists(const AnsiString& name);
AnsiString GetCurrentDir();
bool SetCurrentDir(const AnsiString& dir);
bool DeleteFile(const AnsiString& name);
// <windows.h> turns DeleteFile into DeleteFileA; this keeps such callers on ours.
inline bool DeleteFileA(const AnsiString& name) { return DeleteFile(name); }
bool RenameFile(const AnsiString& oldName, const AnsiString& newName);
// Last write time in seconds since 1970, -1 when the file does not exist.
int64_t FileAge(const AnsiString& name);
bool ForceDirectories(const AnsiString& dir);

}  // namespace vx
