#include "framework/win/IniFiles.h"

#include "framework/core/SafeSavePlatform.h"

#include <windows.h>

#include <cctype>
#include <climits>
#include <string>
#include <vector>

namespace vx {

// ---- shared -------------------------------------------------------------------------

int TCustomIniFile::ReadInteger(const AnsiString& section, const AnsiString& ident, int deflt) {
  AnsiString s = ReadString(section, ident, AnsiString());
  if (s.empty()) return deflt;
  return StoredTextToInt(s, deflt);
}

void TCustomIniFile::WriteInteger(const AnsiString& section, const AnsiString& ident, int value) {
  WriteString(section, ident, std::to_string(value));
}

bool TCustomIniFile::ReadBool(const AnsiString& section, const AnsiString& ident, bool deflt) {
  return ReadInteger(section, ident, deflt ? 1 : 0) != 0;
}

void TCustomIniFile::WriteBool(const AnsiString& section, const AnsiString& ident, bool value) {
  WriteString(section, ident, value ? "1" : "0");
}

void TCustomIniFile::WriteFailed() const { throw EIniFileException("Unable to write to " + fileName_); }

// ---- registry -----------------------------------------------------------------------

namespace {

HKEY OpenSection(HKEY root, const AnsiString& section, bool create, REGSAM access) {
  if (!root) return nullptr;
  HKEY k = nullptr;
  LONG rc;
  if (create)
    rc = RegCreateKeyExA(root, section.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr, &k, nullptr);
  else
    rc = RegOpenKeyExA(root, section.c_str(), 0, access, &k);
  return rc == ERROR_SUCCESS ? k : nullptr;
}

// A value's text: strings as they are, double words in decimal; false for anything else.
bool QueryText(HKEY k, const char* name, AnsiString& out) {
  DWORD type = 0, size = 0;
  if (RegQueryValueExA(k, name, nullptr, &type, nullptr, &size) != ERROR_SUCCESS) return false;
  if (type == REG_DWORD) {
    DWORD v = 0;
    size = sizeof v;
    if (RegQueryValueExA(k, name, nullptr, &type, reinterpret_cast<BYTE*>(&v), &size) != ERROR_SUCCESS) return false;
    out = std::to_string(static_cast<int>(v));
    return true;
  }
  if (type != REG_SZ && type != REG_EXPAND_SZ) return false;
  std::vector<char> buf(size + 1, 0);
  if (RegQueryValueExA(k, name, nullptr, &type, reinterpret_cast<BYTE*>(buf.data()), &size) != ERROR_SUCCESS)
    return false;
  buf[size] = 0;
  out = buf.data();  // stops at the terminator the value carries
  return true;
}

void EnumValueNames(HKEY k, std::vector<AnsiString>& names) {
  DWORD count = 0, maxName = 0;
  if (RegQueryInfoKeyA(k, nullptr, nullptr, nullptr, nullptr, nullptr, nullptr, &count, &maxName, nullptr, nullptr,
                       nullptr) != ERROR_SUCCESS)
    return;
  std::vector<char> buf(maxName + 2);
  for (DWORD i = 0; i < count; ++i) {
    DWORD len = static_cast<DWORD>(buf.size());
    if (RegEnumValueA(k, i, buf.data(), &len, nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS)
      names.emplace_back(buf.data(), len);
  }
}

// RegDeleteKeyA removes only leaf keys: clear the subkeys first.
bool DeleteTree(HKEY parent, const AnsiString& name) {
  HKEY k = nullptr;
  if (RegOpenKeyExA(parent, name.c_str(), 0, KEY_ALL_ACCESS, &k) != ERROR_SUCCESS) return false;
  for (;;) {
    char sub[MAX_PATH + 1];
    DWORD len = sizeof sub;
    if (RegEnumKeyExA(k, 0, sub, &len, nullptr, nullptr, nullptr, nullptr) != ERROR_SUCCESS) break;
    if (!DeleteTree(k, AnsiString(sub, len))) break;
  }
  RegCloseKey(k);
  return RegDeleteKeyA(parent, name.c_str()) == ERROR_SUCCESS;
}

}  // namespace

TRegIniFile::TRegIniFile(const AnsiString& keyName) : TCustomIniFile(keyName) {
  HKEY k = nullptr;
  if (RegCreateKeyExA(HKEY_CURRENT_USER, keyName.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, KEY_ALL_ACCESS, nullptr,
                      &k, nullptr) != ERROR_SUCCESS)
    k = nullptr;  // reads give defaults, writes fail
  key_ = k;
}

TRegIniFile::~TRegIniFile() {
  if (key_) RegCloseKey(static_cast<HKEY>(key_));
}

AnsiString TRegIniFile::ReadString(const AnsiString& section, const AnsiString& ident, const AnsiString& deflt) {
  HKEY k = OpenSection(static_cast<HKEY>(key_), section, false, KEY_READ);
  if (!k) return deflt;
  AnsiString v;
  bool ok = QueryText(k, ident.c_str(), v);
  RegCloseKey(k);
  return ok ? v : deflt;
}

void TRegIniFile::WriteString(const AnsiString& section, const AnsiString& ident, const AnsiString& value) {
  HKEY k = OpenSection(static_cast<HKEY>(key_), section, true, KEY_ALL_ACCESS);
  if (!k) WriteFailed();
  LONG rc = RegSetValueExA(k, ident.c_str(), 0, REG_SZ, reinterpret_cast<const BYTE*>(value.c_str()),
                           static_cast<DWORD>(value.size() + 1));
  RegCloseKey(k);
  if (rc != ERROR_SUCCESS) WriteFailed();
}

void TRegIniFile::ReadSection(const AnsiString& section, TStrings& names) {
  names.BeginUpdate();
  names.Clear();
  if (HKEY k = OpenSection(static_cast<HKEY>(key_), section, false, KEY_READ)) {
    std::vector<AnsiString> list;
    EnumValueNames(k, list);
    RegCloseKey(k);
    for (const AnsiString& n : list) names.Add(n);
  }
  names.EndUpdate();
}

void TRegIniFile::ReadSectionValues(const AnsiString& section, TStrings& lines) {
  lines.BeginUpdate();
  lines.Clear();
  if (HKEY k = OpenSection(static_cast<HKEY>(key_), section, false, KEY_READ)) {
    std::vector<AnsiString> list;
    EnumValueNames(k, list);
    for (const AnsiString& n : list) {
      AnsiString v;
      QueryText(k, n.c_str(), v);
      lines.Add(n + "=" + v);
    }
    RegCloseKey(k);
  }
  lines.EndUpdate();
}

void TRegIniFile::EraseSection(const AnsiString& section) {
  // The section is the key's own values when it has no name: never delete the key itself.
  if (!key_ || section.empty()) return;
  DeleteTree(static_cast<HKEY>(key_), section);
}

void TRegIniFile::DeleteKey(const AnsiString& section, const AnsiString& ident) {
  if (HKEY k = OpenSection(static_cast<HKEY>(key_), section, false, KEY_ALL_ACCESS)) {
    RegDeleteValueA(k, ident.c_str());
    RegCloseKey(k);
  }
}

bool TRegIniFile::SectionExists(const AnsiString& section) {
  HKEY k = OpenSection(static_cast<HKEY>(key_), section, false, KEY_READ);
  if (!k) return false;
  RegCloseKey(k);
  return true;
}

bool TRegIniFile::ValueExists(const AnsiString& section, const AnsiString& ident) {
  HKEY k = OpenSection(static_cast<HKEY>(key_), section, false, KEY_READ);
  if (!k) return false;
  bool ok = RegQueryValueExA(k, ident.c_str(), nullptr, nullptr, nullptr, nullptr) == ERROR_SUCCESS;
  RegCloseKey(k);
  return ok;
}

bool TRegIniFile::DeleteUserKey(const AnsiString& keyName) {
  if (keyName.empty()) return false;
  return DeleteTree(HKEY_CURRENT_USER, keyName);
}

// ---- INI file -----------------------------------------------------------------------

namespace {

// Reads a list of NUL-separated strings, growing the buffer until it fits.
template <class Fn>
std::vector<AnsiString> ReadNulList(Fn read) {
  std::vector<char> buf(4096);
  for (;;) {
    DWORD n = read(buf.data(), static_cast<DWORD>(buf.size()));
    if (n + 2 < buf.size() || buf.size() >= (1u << 24)) {
      std::vector<AnsiString> out;
      const char* p = buf.data();
      const char* end = buf.data() + n;
      while (p < end && *p) {
        AnsiString s(p);
        p += s.size() + 1;
        out.push_back(std::move(s));
      }
      return out;
    }
    buf.assign(buf.size() * 4, 0);
  }
}

}  // namespace

namespace {

// Where the system's INI calls put a file name: a bare name lies in the Windows folder.
AnsiString IniPath(const AnsiString& name) {
  if (name.find_first_of("\\/") != AnsiString::npos) return name;
  char dir[MAX_PATH];
  UINT n = GetWindowsDirectoryA(dir, MAX_PATH);
  return n == 0 || n >= MAX_PATH ? name : AnsiString(dir, n) + "\\" + name;
}

}  // namespace

TIniFile::TIniFile(const AnsiString& fileName) : TCustomIniFile(fileName) {}

TIniFile::~TIniFile() { PutInPlace(); }

AnsiString TIniFile::Store() const { return copy_ ? copy_->Temporary() : FileName(); }

void TIniFile::BeginWrite() {
  if (copy_) return;
  auto copy = std::make_unique<TSaveFiles>();
  if (!copy->Prepare(IniPath(FileName())) || !CopyFileA(copy->Target().c_str(), copy->Temporary().c_str(), FALSE))
    WriteFailed();
  copy_ = std::move(copy);
}

bool TIniFile::PutInPlace() {
  if (!copy_) return true;
  const std::unique_ptr<TSaveFiles> copy = std::move(copy_);
  // The system's cached text goes into the copy (this call says false whatever happens),
  // and the copy to the disk, before it takes the file's name.
  WritePrivateProfileStringA(nullptr, nullptr, nullptr, copy->Temporary().c_str());
  HANDLE h = CreateFileA(copy->Temporary().c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                         OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) return false;
  const bool flushed = FlushFileBuffers(h) != 0;
  CloseHandle(h);
  return flushed && copy->Replace();
}

AnsiString TIniFile::ReadString(const AnsiString& section, const AnsiString& ident, const AnsiString& deflt) {
  char buf[1024];
  DWORD n = GetPrivateProfileStringA(section.c_str(), ident.c_str(), deflt.c_str(), buf, sizeof buf, Store().c_str());
  return AnsiString(buf, n);
}

void TIniFile::WriteString(const AnsiString& section, const AnsiString& ident, const AnsiString& value) {
  BeginWrite();
  if (!WritePrivateProfileStringA(section.c_str(), ident.c_str(), value.c_str(), Store().c_str())) WriteFailed();
}

void TIniFile::ReadSection(const AnsiString& section, TStrings& names) {
  std::vector<AnsiString> list = ReadNulList([&](char* b, DWORD size) {
    return GetPrivateProfileStringA(section.c_str(), nullptr, "", b, size, Store().c_str());
  });
  names.BeginUpdate();
  names.Clear();
  for (const AnsiString& n : list) names.Add(n);
  names.EndUpdate();
}

void TIniFile::ReadSectionValues(const AnsiString& section, TStrings& lines) {
  std::vector<AnsiString> list = ReadNulList(
      [&](char* b, DWORD size) { return GetPrivateProfileSectionA(section.c_str(), b, size, Store().c_str()); });
  lines.BeginUpdate();
  lines.Clear();
  for (const AnsiString& n : list) lines.Add(n);
  lines.EndUpdate();
}

void TIniFile::EraseSection(const AnsiString& section) {
  BeginWrite();
  if (!WritePrivateProfileStringA(section.c_str(), nullptr, nullptr, Store().c_str())) WriteFailed();
}

void TIniFile::DeleteKey(const AnsiString& section, const AnsiString& ident) {
  BeginWrite();
  WritePrivateProfileStringA(section.c_str(), ident.c_str(), nullptr, Store().c_str());
}

bool TIniFile::SectionExists(const AnsiString& section) {
  std::vector<AnsiString> list = ReadNulList([&](char* b, DWORD size) {
    return GetPrivateProfileStringA(section.c_str(), nullptr, "", b, size, Store().c_str());
  });
  return !list.empty();
}

bool TIniFile::ValueExists(const AnsiString& section, const AnsiString& ident) {
  std::vector<AnsiString> list = ReadNulList([&](char* b, DWORD size) {
    return GetPrivateProfileStringA(section.c_str(), nullptr, "", b, size, Store().c_str());
  });
  for (const AnsiString& n : list)
    if (CompareStringA(LOCALE_USER_DEFAULT, NORM_IGNORECASE, n.c_str(), -1, ident.c_str(), -1) == CSTR_EQUAL)
      return true;
  return false;
}

void TIniFile::UpdateFile() {
  if (!PutInPlace()) WriteFailed();
}

}  // namespace vx
