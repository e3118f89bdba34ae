// Settings stores of INI shape: sections of named string values, either in the current
// user's registry (TRegIniFile) or in an INI file (TIniFile). Integers are kept as decimal
// text; reading accepts "0x" hexadecimal as well.
#pragma once

#include <memory>

#include "framework/core/Classes.h"
#include "framework/core/Exceptions.h"
#include "framework/core/Object.h"
#include "framework/core/SysUtils.h"  // StoredTextToInt

namespace vx {

// A write the store refused: "Unable to write to %s" with the file or key name.
VX_EXCEPTION(EIniFileException, Exception);

// The operations both stores share, so callers can work with either.
class TCustomIniFile : public TObject {
 public:
  explicit TCustomIniFile(AnsiString fileName) : fileName_(std::move(fileName)) {}
  const char* ClassName() const override { return "TCustomIniFile"; }

  const AnsiString& FileName() const { return fileName_; }

  virtual AnsiString ReadString(const AnsiString& section, const AnsiString& ident, const AnsiString& deflt) = 0;
  virtual void WriteString(const AnsiString& section, const AnsiString& ident, const AnsiString& value) = 0;
  // The names of a section's values, in the store's order.
  virtual void ReadSection(const AnsiString& section, TStrings& names) = 0;
  // The section as "name=value" lines.
  virtual void ReadSectionValues(const AnsiString& section, TStrings& lines) = 0;
  virtual void EraseSection(const AnsiString& section) = 0;
  virtual void DeleteKey(const AnsiString& section, const AnsiString& ident) = 0;
  virtual bool SectionExists(const AnsiString& section) = 0;
  virtual bool ValueExists(const AnsiString& section, const AnsiString& ident) = 0;

  int ReadInteger(const AnsiString& section, const AnsiString& ident, int deflt);
  void WriteInteger(const AnsiString& section, const AnsiString& ident, int value);
  bool ReadBool(const AnsiString& section, const AnsiString& ident, bool deflt);
  void WriteBool(const AnsiString& section, const AnsiString& ident, bool value);

 protected:
  [[noreturn]] void WriteFailed() const;

 private:
  AnsiString fileName_;
};

// A key below HKEY_CURRENT_USER (created when missing); each section is a subkey, created
// when first written; values are strings.
class TRegIniFile : public TCustomIniFile {
 public:
  explicit TRegIniFile(const AnsiString& keyName);
  ~TRegIniFile() override;
  const char* ClassName() const override { return "TRegIniFile"; }

  AnsiString ReadString(const AnsiString& section, const AnsiString& ident, const AnsiString& deflt) override;
  void WriteString(const AnsiString& section, const AnsiString& ident, const AnsiString& value) override;
  void ReadSection(const AnsiString& section, TStrings& names) override;
  void ReadSectionValues(const AnsiString& section, TStrings& lines) override;
  void EraseSection(const AnsiString& section) override;
  void DeleteKey(const AnsiString& section, const AnsiString& ident) override;
  bool SectionExists(const AnsiString& section) override;
  bool ValueExists(const AnsiString& section, const AnsiString& ident) override;

  // Removes a key below HKEY_CURRENT_USER with everything under it (tests and clean-up).
  static bool DeleteUserKey(const AnsiString& keyName);

 private:
  void* key_ = nullptr;  // HKEY, kept out of the header's includes
};

class TSaveFiles;

// An INI file; a bare file name lies in the Windows folder. Values are read through a
// 1024-byte buffer, so at most 1023 characters come back. Writes go to a copy of the
// file, which takes the file's place in one rename when the store closes, so that the
// file is whole at every moment.
class TIniFile : public TCustomIniFile {
 public:
  explicit TIniFile(const AnsiString& fileName);
  // Puts what was written in place of the file; a failure here goes unreported (the
  // file stays as it was): UpdateFile reports it.
  ~TIniFile() override;
  const char* ClassName() const override { return "TIniFile"; }

  AnsiString ReadString(const AnsiString& section, const AnsiString& ident, const AnsiString& deflt) override;
  void WriteString(const AnsiString& section, const AnsiString& ident, const AnsiString& value) override;
  void ReadSection(const AnsiString& section, TStrings& names) override;
  void ReadSectionValues(const AnsiString& section, TStrings& lines) override;
  void EraseSection(const AnsiString& section) override;
  void DeleteKey(const AnsiString& section, const AnsiString& ident) override;
  bool SectionExists(const AnsiString& section) override;
  bool ValueExists(const AnsiString& section, const AnsiString& ident) override;

  // Puts what was written so far in place of the file; "Unable to write to %s" when the
  // file stays as it was.
  void UpdateFile();

 private:
  // The file the system's INI calls work on: the file itself until the first write, then
  // the copy.
  AnsiString Store() const;
  void BeginWrite();
  bool PutInPlace();

  std::unique_ptr<TSaveFiles> copy_;
};

}  // namespace vx
