// Byte streams: the abstract stream with its checked block operations, files, memory
// and strings.
#pragma once

#include <cstdint>
#include <memory>
#include <vector>

#include "framework/core/Object.h"

namespace vx {

class Exception;

// A stream error that says which file: the message first, then " - " and the file, then,
// when the system said so, ": the disk is full".
AnsiString FileErrorText(const AnsiString& message, const AnsiString& fileName, bool diskFull = false);
// Adds the file to the message of an error met while reading or writing it (a file read
// into memory first, a record that did not fit), unless the message names it already.
void NameFileInError(Exception& e, const AnsiString& fileName);

enum TSeekOrigin { soFromBeginning = 0, soFromCurrent = 1, soFromEnd = 2 };

class TStream : public TObject {
 public:
  const char* ClassName() const override { return "TStream"; }
  // Read and Write move up to count bytes and return how many moved.
  virtual int Read(void* buffer, int count) = 0;
  virtual int Write(const void* buffer, int count) = 0;
  virtual int64_t Seek(int64_t offset, TSeekOrigin origin) = 0;

  int64_t Position() { return Seek(0, soFromCurrent); }
  void SetPosition(int64_t pos) { Seek(pos, soFromBeginning); }
  virtual int64_t Size();
  virtual void SetSize(int64_t newSize);

  // The whole block or EReadError "Stream read error" / EWriteError "Stream write error".
  void ReadBuffer(void* buffer, int count);
  void WriteBuffer(const void* buffer, int count);
  // count 0 copies the whole source from its start; returns the bytes copied.
  int64_t CopyFrom(TStream& source, int64_t count);
  // A stream that holds its bytes in memory lends up to count of them in place of a
  // Read: the result points at them (valid until the stream changes), got says how many,
  // and the position moves past them. Others return nullptr and move nothing.
  virtual const void* ReadWindow(int count, int& got) {
    got = 0;
    return nullptr;
  }
  // The text of an error met on this stream: a file stream adds its file's name.
  virtual AnsiString ErrorText(const AnsiString& message) const { return message; }
};

enum : unsigned {
  fmOpenRead = 0x0000,
  fmOpenWrite = 0x0001,
  fmOpenReadWrite = 0x0002,
  fmShareCompat = 0x0000,
  fmShareExclusive = 0x0010,
  fmShareDenyWrite = 0x0020,
  fmShareDenyRead = 0x0030,
  fmShareDenyNone = 0x0040,
  fmCreate = 0xFF00,  // create or truncate, open for reading and writing
};

class TFileStream : public TStream {
 public:
  // EFOpenError "Cannot open file %s" or EFCreateError "Cannot create file %s".
  TFileStream(const AnsiString& fileName, unsigned mode);
  ~TFileStream() override;
  const char* ClassName() const override { return "TFileStream"; }
  int Read(void* buffer, int count) override;
  int Write(const void* buffer, int count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  void SetSize(int64_t newSize) override;
  // Pushes written data to the disk; a failure is EWriteError "Stream write error".
  void FlushBuffers();
  const AnsiString& FileName() const { return fileName_; }
  // The name its errors give, when that is not the file it writes (a temporary file that
  // will become the user's file).
  void SetMessageName(const AnsiString& name) { messageName_ = name; }
  // Errors name the file, and say when the disk is full.
  AnsiString ErrorText(const AnsiString& message) const override;

 private:
  AnsiString fileName_, messageName_;
  bool diskFull_ = false;  // the last failed write or flush found the disk full
#ifdef _WIN32
  void* handle_;
#else
  int fd_;
#endif
};

class TMemoryStream : public TStream {
 public:
  const char* ClassName() const override { return "TMemoryStream"; }
  int Read(void* buffer, int count) override;
  int Write(const void* buffer, int count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t Size() override { return static_cast<int64_t>(size_); }
  void SetSize(int64_t newSize) override;  // new bytes are zero
  const void* ReadWindow(int count, int& got) override;
  // The bytes; valid until the next change of size.
  void* Memory() { return size_ == 0 ? nullptr : data_.get(); }
  void Clear();
  void LoadFromStream(TStream& s);
  void LoadFromFile(const AnsiString& fileName);
  void SaveToStream(TStream& s);
  void SaveToFile(const AnsiString& fileName);

 private:
  // Room for at least n bytes, keeping the first size_; new room is not cleared.
  void Reserve(size_t n);

  std::unique_ptr<unsigned char[]> data_;
  size_t size_ = 0, capacity_ = 0;
  int64_t pos_ = 0;
};

class TStringStream : public TStream {
 public:
  explicit TStringStream(const AnsiString& s = AnsiString()) : data_(s) {}
  const char* ClassName() const override { return "TStringStream"; }
  int Read(void* buffer, int count) override;
  int Write(const void* buffer, int count) override;
  int64_t Seek(int64_t offset, TSeekOrigin origin) override;
  int64_t Size() override { return static_cast<int64_t>(data_.size()); }
  void SetSize(int64_t newSize) override;
  const void* ReadWindow(int count, int& got) override;
  const AnsiString& DataString() const { return data_; }
  AnsiString ReadString(int count);
  void WriteString(const AnsiString& s);

 private:
  AnsiString data_;
  int64_t pos_ = 0;
};

}  // namespace vx
