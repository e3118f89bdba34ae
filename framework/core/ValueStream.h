// The typed value stream every data file of the system is written in: each value is a
// type byte and its data (integers at their smallest width, short and long strings,
// booleans, list markers), passed through a small block buffer.
#pragma once

#include <cstdint>
#include <vector>

#include "framework/core/Object.h"
#include "framework/core/Streams.h"

namespace vx {

enum TValueType : uint8_t {
  vaNull = 0x00,  // list end
  vaList = 0x01,
  vaInt8 = 0x02,
  vaInt16 = 0x03,
  vaInt32 = 0x04,
  vaString = 0x06,
  vaFalse = 0x08,
  vaTrue = 0x09,
  vaLString = 0x0C,
};

class TWriter : public TObject {
 public:
  explicit TWriter(TStream& stream, int bufSize = 255);
  // Flushes what is left; a failure here cannot be reported, so callers that must know
  // call FlushBuffer first.
  ~TWriter() override;
  const char* ClassName() const override { return "TWriter"; }

  void WriteInteger(int32_t v);
  void WriteString(const AnsiString& s);
  void WriteBoolean(bool v);
  void WriteListBegin();
  void WriteListEnd();
  // Hands the buffered bytes to the stream (EWriteError "Stream write error").
  void FlushBuffer();

 private:
  void Write(const void* data, size_t count);
  void WriteByte(uint8_t b) {
    if (pos_ == buf_.size()) FlushBuffer();
    buf_[pos_++] = b;
  }

  TStream& stream_;
  std::vector<uint8_t> buf_;
  size_t pos_ = 0;
};

// Failures are EReadError: "Stream read error" past the end (or a long string longer than
// what is left), "Invalid property value" for a type byte that does not fit.
class TReader : public TObject {
 public:
  explicit TReader(TStream& stream, int bufSize = 255);
  // Moves the stream back to just after the last byte consumed.
  ~TReader() override;
  const char* ClassName() const override { return "TReader"; }

  int32_t ReadInteger();
  AnsiString ReadString();
  bool ReadBoolean();  // 0x09 is true, every other byte false
  void ReadListBegin();
  bool EndOfList();  // the next byte is a list end (not consumed)
  void ReadListEnd();
  // The type byte of the next value, not consumed.
  TValueType NextValue();
  // The stream position just after the last byte consumed.
  int64_t Position();

 private:
  uint8_t ReadByte() {
    if (pos_ == end_) Fill();
    return data_[pos_++];
  }
  void Read(void* data, size_t count);
  void Fill();
  // Both name the file when the stream is one.
  [[noreturn]] void ReadError();
  [[noreturn]] void InvalidValue();

  TStream& stream_;
  std::vector<uint8_t> buf_;
  // The current block: in buf_, or lent by a stream that keeps its bytes in memory.
  const uint8_t* data_ = nullptr;
  size_t pos_ = 0, end_ = 0;
};

}  // namespace vx
