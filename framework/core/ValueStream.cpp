#include "framework/core/ValueStream.h"

#include <cstring>

#include "framework/core/Exceptions.h"

namespace vx {

TWriter::TWriter(TStream& stream, int bufSize)
    : stream_(stream), buf_(static_cast<size_t>(bufSize > 0 ? bufSize : 1)) {}

TWriter::~TWriter() {
  try {
    FlushBuffer();
  } catch (...) {}
}

void TWriter::FlushBuffer() {
  if (pos_ == 0) return;
  size_t n = pos_;
  pos_ = 0;
  stream_.WriteBuffer(buf_.data(), static_cast<int>(n));
}

void TWriter::Write(const void* data, size_t count) {
  const uint8_t* p = static_cast<const uint8_t*>(data);
  while (count > 0) {
    if (pos_ == buf_.size()) FlushBuffer();
    size_t n = buf_.size() - pos_;
    if (n > count) n = count;
    std::memcpy(buf_.data() + pos_, p, n);
    pos_ += n;
    p += n;
    count -= n;
  }
}

void TWriter::WriteInteger(int32_t v) {
  if (v >= -128 && v <= 127) {
    WriteByte(vaInt8);
    WriteByte(static_cast<uint8_t>(v));
  } else if (v >= -32768 && v <= 32767) {
    uint16_t u = static_cast<uint16_t>(v);
    WriteByte(vaInt16);
    WriteByte(static_cast<uint8_t>(u));
    WriteByte(static_cast<uint8_t>(u >> 8));
  } else {
    uint32_t u = static_cast<uint32_t>(v);
    WriteByte(vaInt32);
    for (int i = 0; i < 4; ++i) WriteByte(static_cast<uint8_t>(u >> (8 * i)));
  }
}

void TWriter::WriteString(const AnsiString& s) {
  if (s.size() < 256) {
    WriteByte(vaString);
    WriteByte(static_cast<uint8_t>(s.size()));
  } else {
    uint32_t n = static_cast<uint32_t>(s.size());
    WriteByte(vaLString);
    for (int i = 0; i < 4; ++i) WriteByte(static_cast<uint8_t>(n >> (8 * i)));
  }
  Write(s.data(), s.size());
}

void TWriter::WriteBoolean(bool v) { WriteByte(v ? vaTrue : vaFalse); }
void TWriter::WriteListBegin() { WriteByte(vaList); }
void TWriter::WriteListEnd() { WriteByte(vaNull); }

// ---------------------------------------------------------------------------------------

TReader::TReader(TStream& stream, int bufSize)
    : stream_(stream), buf_(static_cast<size_t>(bufSize > 0 ? bufSize : 1)) {}

TReader::~TReader() {
  try {
    if (end_ > pos_) stream_.Seek(-static_cast<int64_t>(end_ - pos_), soFromCurrent);
  } catch (...) {}
}

void TReader::ReadError() { throw EReadError(stream_.ErrorText("Stream read error")); }
void TReader::InvalidValue() { throw EReadError(stream_.ErrorText("Invalid property value")); }

void TReader::Fill() {
  const int block = static_cast<int>(buf_.size());
  int n = 0;
  // The same blocks either way; a memory stream just saves the copy.
  if (const void* w = stream_.ReadWindow(block, n)) {
    data_ = static_cast<const uint8_t*>(w);
  } else {
    n = stream_.Read(buf_.data(), block);
    data_ = buf_.data();
  }
  if (n <= 0) {
    pos_ = end_ = 0;
    ReadError();
  }
  pos_ = 0;
  end_ = static_cast<size_t>(n);
}

void TReader::Read(void* data, size_t count) {
  uint8_t* p = static_cast<uint8_t*>(data);
  while (count > 0) {
    if (pos_ == end_) Fill();
    size_t n = end_ - pos_;
    if (n > count) n = count;
    std::memcpy(p, data_ + pos_, n);
    pos_ += n;
    p += n;
    count -= n;
  }
}

int64_t TReader::Position() { return stream_.Position() - static_cast<int64_t>(end_ - pos_); }

TValueType TReader::NextValue() {
  if (pos_ == end_) Fill();
  return static_cast<TValueType>(data_[pos_]);
}

int32_t TReader::ReadInteger() {
  switch (ReadByte()) {
    case vaInt8: return static_cast<int8_t>(ReadByte());
    case vaInt16: {
      uint8_t b[2];
      Read(b, 2);
      return static_cast<int16_t>(static_cast<uint16_t>(b[0] | (b[1] << 8)));
    }
    case vaInt32: {
      uint8_t b[4];
      Read(b, 4);
      return static_cast<int32_t>(static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) |
                                  (static_cast<uint32_t>(b[2]) << 16) | (static_cast<uint32_t>(b[3]) << 24));
    }
    default: InvalidValue();
  }
}

AnsiString TReader::ReadString() {
  uint32_t n;
  switch (ReadByte()) {
    case vaString: n = ReadByte(); break;
    case vaLString: {
      uint8_t b[4];
      Read(b, 4);
      n = static_cast<uint32_t>(b[0]) | (static_cast<uint32_t>(b[1]) << 8) | (static_cast<uint32_t>(b[2]) << 16) |
          (static_cast<uint32_t>(b[3]) << 24);
      // A corrupt length must not make us allocate what the stream cannot hold.
      int64_t left = static_cast<int64_t>(end_ - pos_);
      if (n > static_cast<uint64_t>(left)) {
        int64_t rest = stream_.Size() - stream_.Position();
        if (rest < 0 || static_cast<uint64_t>(n) > static_cast<uint64_t>(left + rest)) ReadError();
      }
      break;
    }
    default: InvalidValue();
  }
  AnsiString s;
  if (n == 0) return s;
  if (end_ - pos_ >= n) {
    s.assign(reinterpret_cast<const char*>(data_ + pos_), n);
    pos_ += n;
    return s;
  }
  s.reserve(n);
  while (n > 0) {
    if (pos_ == end_) Fill();
    size_t k = end_ - pos_;
    if (k > n) k = n;
    s.append(reinterpret_cast<const char*>(data_ + pos_), k);
    pos_ += k;
    n -= static_cast<uint32_t>(k);
  }
  return s;
}

bool TReader::ReadBoolean() { return ReadByte() == vaTrue; }

void TReader::ReadListBegin() {
  if (ReadByte() != vaList) InvalidValue();
}

bool TReader::EndOfList() { return NextValue() == vaNull; }

void TReader::ReadListEnd() {
  if (ReadByte() != vaNull) InvalidValue();
}

}  // namespace vx
