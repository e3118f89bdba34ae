#include "framework/core/Streams.h"

#include <algorithm>
#include <cstdint>
#include <cstring>

#include "framework/core/Exceptions.h"

namespace vx {

int64_t TStream::Size() {
  int64_t pos = Seek(0, soFromCurrent);
  int64_t end = Seek(0, soFromEnd);
  Seek(pos, soFromBeginning);
  return end;
}

void TStream::SetSize(int64_t) {}

AnsiString FileErrorText(const AnsiString& message, const AnsiString& fileName, bool diskFull) {
  AnsiString text = message;
  if (!fileName.empty()) text += " - " + fileName;
  if (diskFull) text += ": the disk is full";
  return text;
}

void NameFileInError(Exception& e, const AnsiString& fileName) {
  if (fileName.empty() || e.Message().find(fileName) != AnsiString::npos) return;
  e.SetMessage(FileErrorText(e.Message(), fileName));
}

void TStream::ReadBuffer(void* buffer, int count) {
  if (count != 0 && Read(buffer, count) != count) throw EReadError(ErrorText("Stream read error"));
}

void TStream::WriteBuffer(const void* buffer, int count) {
  if (count != 0 && Write(buffer, count) != count) throw EWriteError(ErrorText("Stream write error"));
}

int64_t TStream::CopyFrom(TStream& source, int64_t count) {
  if (count == 0) {
    source.SetPosition(0);
    count = source.Size();
  }
  const int64_t total = count;
  std::vector<char> buf(static_cast<size_t>(std::min<int64_t>(count > 0 ? count : 1, 0xF000)));
  while (count > 0) {
    int n = static_cast<int>(std::min<int64_t>(count, static_cast<int64_t>(buf.size())));
    source.ReadBuffer(buf.data(), n);
    WriteBuffer(buf.data(), n);
    count -= n;
  }
  return total;
}

// ---------------------------------------------------------------------------------------

// TFileStream: FileStreamWin32.cpp and FileStreamPosix.cpp.

AnsiString TFileStream::ErrorText(const AnsiString& message) const {
  return FileErrorText(message, messageName_.empty() ? fileName_ : messageName_, diskFull_);
}

// ---------------------------------------------------------------------------------------

namespace {
int64_t SeekIn(int64_t pos, int64_t size, int64_t offset, TSeekOrigin origin) {
  int64_t base = origin == soFromBeginning ? 0 : (origin == soFromCurrent ? pos : size);
  int64_t p = base + offset;
  return p < 0 ? 0 : p;
}
}  // namespace

void TMemoryStream::Reserve(size_t n) {
  if (n <= capacity_) return;
  // Doubling for streams that grow by writes; exactly n for a first, known size.
  size_t cap = capacity_ > SIZE_MAX / 2 ? n : capacity_ * 2;
  if (cap < n) cap = n;
  if (cap < 64) cap = 64;
  std::unique_ptr<unsigned char[]> d(new unsigned char[cap]);
  if (size_ > 0) std::memcpy(d.get(), data_.get(), size_);
  data_ = std::move(d);
  capacity_ = cap;
}

int TMemoryStream::Read(void* buffer, int count) {
  const int64_t size = Size();
  if (count <= 0 || pos_ >= size) return 0;
  int n = static_cast<int>(std::min<int64_t>(count, size - pos_));
  std::memcpy(buffer, data_.get() + pos_, static_cast<size_t>(n));
  pos_ += n;
  return n;
}

const void* TMemoryStream::ReadWindow(int count, int& got) {
  const int64_t size = Size();
  got = (count <= 0 || pos_ >= size) ? 0 : static_cast<int>(std::min<int64_t>(count, size - pos_));
  const unsigned char* p = data_.get() + (got > 0 ? pos_ : 0);
  pos_ += got;
  return got > 0 ? p : nullptr;
}

int TMemoryStream::Write(const void* buffer, int count) {
  if (count <= 0) return 0;
  const size_t at = static_cast<size_t>(pos_), end = at + static_cast<size_t>(count);
  if (end > size_) {
    Reserve(end);
    if (at > size_) std::memset(data_.get() + size_, 0, at - size_);  // a gap after a seek
    size_ = end;
  }
  std::memcpy(data_.get() + at, buffer, static_cast<size_t>(count));
  pos_ = static_cast<int64_t>(end);
  return count;
}

int64_t TMemoryStream::Seek(int64_t offset, TSeekOrigin origin) {
  pos_ = SeekIn(pos_, Size(), offset, origin);
  return pos_;
}

void TMemoryStream::SetSize(int64_t newSize) {
  const size_t n = static_cast<size_t>(newSize < 0 ? 0 : newSize);
  if (n > size_) {
    Reserve(n);
    std::memset(data_.get() + size_, 0, n - size_);
  }
  size_ = n;
  if (pos_ > static_cast<int64_t>(n)) pos_ = static_cast<int64_t>(n);
}

void TMemoryStream::Clear() {
  data_.reset();
  size_ = capacity_ = 0;
  pos_ = 0;
}

void TMemoryStream::LoadFromStream(TStream& s) {
  s.SetPosition(0);
  const int64_t n = s.Size();
  Clear();
  if (n <= 0) return;
  Reserve(static_cast<size_t>(n));  // filled by the read: no need to clear it first
  s.ReadBuffer(data_.get(), static_cast<int>(n));
  size_ = static_cast<size_t>(n);
}

void TMemoryStream::LoadFromFile(const AnsiString& fileName) {
  TFileStream f(fileName, fmOpenRead | fmShareDenyWrite);
  LoadFromStream(f);
}

void TMemoryStream::SaveToStream(TStream& s) {
  if (size_ > 0) s.WriteBuffer(data_.get(), static_cast<int>(size_));
}

void TMemoryStream::SaveToFile(const AnsiString& fileName) {
  TFileStream f(fileName, fmCreate);
  SaveToStream(f);
}

// ---------------------------------------------------------------------------------------

int TStringStream::Read(void* buffer, int count) {
  int64_t size = Size();
  if (count <= 0 || pos_ >= size) return 0;
  int n = static_cast<int>(std::min<int64_t>(count, size - pos_));
  std::memcpy(buffer, data_.data() + pos_, static_cast<size_t>(n));
  pos_ += n;
  return n;
}

const void* TStringStream::ReadWindow(int count, int& got) {
  const int64_t size = Size();
  got = (count <= 0 || pos_ >= size) ? 0 : static_cast<int>(std::min<int64_t>(count, size - pos_));
  const char* p = data_.data() + (got > 0 ? pos_ : 0);
  pos_ += got;
  return got > 0 ? p : nullptr;
}

int TStringStream::Write(const void* buffer, int count) {
  if (count <= 0) return 0;
  int64_t end = pos_ + count;
  if (end > Size()) data_.resize(static_cast<size_t>(end));
  std::memcpy(&data_[static_cast<size_t>(pos_)], buffer, static_cast<size_t>(count));
  pos_ = end;
  return count;
}

int64_t TStringStream::Seek(int64_t offset, TSeekOrigin origin) {
  pos_ = SeekIn(pos_, Size(), offset, origin);
  return pos_;
}

void TStringStream::SetSize(int64_t newSize) {
  data_.resize(static_cast<size_t>(newSize < 0 ? 0 : newSize));
  if (pos_ > newSize) pos_ = newSize < 0 ? 0 : newSize;
}

AnsiString TStringStream::ReadString(int count) {
  int64_t left = Size() - pos_;
  if (count > left) count = static_cast<int>(left < 0 ? 0 : left);
  AnsiString r;
  if (count > 0) {
    r = data_.substr(static_cast<size_t>(pos_), static_cast<size_t>(count));
    pos_ += count;
  }
  return r;
}

void TStringStream::WriteString(const AnsiString& s) { Write(s.data(), static_cast<int>(s.size())); }

}  // namespace vx
