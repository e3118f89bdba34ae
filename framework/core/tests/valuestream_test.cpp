#include "framework/core/ValueStream.h"

#include <gtest/gtest.h>

#include "framework/core/Exceptions.h"

using namespace vx;

namespace {

std::string Bytes(TMemoryStream& m) {
  return std::string(static_cast<const char*>(m.Memory()), static_cast<size_t>(m.Size()));
}

template <typename F>
std::string Written(F f) {
  TMemoryStream m;
  {
    TWriter w(m);
    f(w);
  }
  return Bytes(m);
}

// Records the size of every block asked for; can refuse to take a block whole. It lends
// no memory, so the reader copies every block into its own buffer.
class BlockStream : public TMemoryStream {
 public:
  std::vector<int> reads, writes;
  int shortWriteAt = -1;
  const void* ReadWindow(int, int& got) override {
    got = 0;
    return nullptr;
  }
  int Read(void* b, int n) override {
    reads.push_back(n);
    return TMemoryStream::Read(b, n);
  }
  int Write(const void* b, int n) override {
    writes.push_back(n);
    if (shortWriteAt >= 0 && static_cast<int>(writes.size()) > shortWriteAt) return TMemoryStream::Write(b, n - 1);
    return TMemoryStream::Write(b, n);
  }
};

std::string ReadMessage(const std::string& data, void (*f)(TReader&)) {
  TStringStream s(data);
  TReader r(s);
  try {
    f(r);
  } catch (const EReadError& e) {
    return e.Message();
  }
  return "no error";
}

}  // namespace

TEST(ValueWriter, IntegersTakeTheSmallestWidth) {
  auto one = [](int32_t v) { return Written([v](TWriter& w) { w.WriteInteger(v); }); };
  EXPECT_EQ(one(5), std::string("\x02\x05", 2));
  EXPECT_EQ(one(-1), std::string("\x02\xFF", 2));
  EXPECT_EQ(one(150), std::string("\x03\x96\x00", 3));
  EXPECT_EQ(one(-128).size(), 2u);
  EXPECT_EQ(one(127).size(), 2u);
  EXPECT_EQ(one(-129).size(), 3u);
  EXPECT_EQ(one(128).size(), 3u);
  EXPECT_EQ(one(-32768), std::string("\x03\x00\x80", 3));
  EXPECT_EQ(one(32767).size(), 3u);
  EXPECT_EQ(one(-32769), std::string("\x04\xFF\x7F\xFF\xFF", 5));
  EXPECT_EQ(one(32768), std::string("\x04\x00\x80\x00\x00", 5));
  EXPECT_EQ(one(INT32_MIN), std::string("\x04\x00\x00\x00\x80", 5));
}

TEST(ValueWriter, StringsBooleansAndLists) {
  EXPECT_EQ(Written([](TWriter& w) { w.WriteString(""); }), std::string("\x06\x00", 2));
  EXPECT_EQ(Written([](TWriter& w) { w.WriteString("/B"); }), "\x06\x02/B");
  std::string s255 = Written([](TWriter& w) { w.WriteString(std::string(255, 'x')); });
  EXPECT_EQ(s255.substr(0, 2), "\x06\xFF");
  EXPECT_EQ(s255.size(), 257u);
  std::string s256 = Written([](TWriter& w) { w.WriteString(std::string(256, 'y')); });
  EXPECT_EQ(s256.substr(0, 5), std::string("\x0C\x00\x01\x00\x00", 5));
  EXPECT_EQ(s256.size(), 261u);
  EXPECT_EQ(Written([](TWriter& w) {
              w.WriteBoolean(true);
              w.WriteBoolean(false);
              w.WriteListBegin();
              w.WriteListEnd();
            }),
            std::string("\x09\x08\x01\x00", 4));
}

TEST(ValueWriter, BlocksOfTheBufferSizeAndAFinalFlush) {
  BlockStream m;
  {
    TWriter w(m);
    w.WriteString(std::string(600, 'z'));  // 605 bytes
    w.WriteInteger(1);                     // 607
  }
  EXPECT_EQ(m.writes, (std::vector<int>{255, 255, 97}));
  EXPECT_EQ(m.Size(), 607);
}

TEST(ValueWriter, AStreamThatTakesPartOfABlockFails) {
  BlockStream m;
  m.shortWriteAt = 0;
  TWriter w(m);
  w.WriteString("abc");
  try {
    w.FlushBuffer();
    FAIL();
  } catch (const EWriteError& e) {
    EXPECT_EQ(e.Message(), "Stream write error");
  }
}

TEST(ValueReader, ReadsWhatTheWriterWrote) {
  TMemoryStream m;
  {
    TWriter w(m);
    for (int32_t v : {0, -1, 127, -128, 128, -129, 32767, -32768, 32768, -32769, INT32_MAX, INT32_MIN})
      w.WriteInteger(v);
    w.WriteString(std::string(255, 'a'));
    w.WriteString(std::string(256, 'b'));
    w.WriteString(std::string(70000, 'c'));
    w.WriteBoolean(true);
    w.WriteBoolean(false);
    w.WriteListBegin();
    w.WriteListEnd();
  }
  m.SetPosition(0);
  TReader r(m);
  for (int32_t v : {0, -1, 127, -128, 128, -129, 32767, -32768, 32768, -32769, INT32_MAX, INT32_MIN})
    EXPECT_EQ(r.ReadInteger(), v);
  EXPECT_EQ(r.ReadString(), std::string(255, 'a'));
  EXPECT_EQ(r.ReadString(), std::string(256, 'b'));
  EXPECT_EQ(r.ReadString(), std::string(70000, 'c'));
  EXPECT_TRUE(r.ReadBoolean());
  EXPECT_FALSE(r.ReadBoolean());
  r.ReadListBegin();
  EXPECT_TRUE(r.EndOfList());
  EXPECT_TRUE(r.EndOfList());  // looking does not consume
  r.ReadListEnd();
  EXPECT_EQ(r.Position(), m.Size());
}

TEST(ValueReader, WrongTypeBytesAndTheEnd) {
  EXPECT_EQ(ReadMessage("\x06\x01x", [](TReader& r) { r.ReadInteger(); }), "Invalid property value");
  EXPECT_EQ(ReadMessage("\x05\x01", [](TReader& r) { r.ReadInteger(); }), "Invalid property value");
  EXPECT_EQ(ReadMessage("\x02\x01", [](TReader& r) { r.ReadString(); }), "Invalid property value");
  EXPECT_EQ(ReadMessage(std::string("\x00", 1), [](TReader& r) { r.ReadListBegin(); }), "Invalid property value");
  EXPECT_EQ(ReadMessage("\x01", [](TReader& r) { r.ReadListEnd(); }), "Invalid property value");
  EXPECT_EQ(ReadMessage("", [](TReader& r) { r.ReadBoolean(); }), "Stream read error");
  EXPECT_EQ(ReadMessage("", [](TReader& r) { r.EndOfList(); }), "Stream read error");
  EXPECT_EQ(ReadMessage("\x03\x01", [](TReader& r) { r.ReadInteger(); }), "Stream read error");
  EXPECT_EQ(ReadMessage("\x06\x05"
                        "abcd",
                        [](TReader& r) { r.ReadString(); }),
            "Stream read error");
  EXPECT_EQ(ReadMessage("\x0C\x01\x00", [](TReader& r) { r.ReadString(); }), "Stream read error");
  // Any byte but 0x09 is false, without failure.
  EXPECT_EQ(ReadMessage("\x07\x02",
                        [](TReader& r) {
                          EXPECT_FALSE(r.ReadBoolean());
                          EXPECT_FALSE(r.ReadBoolean());
                        }),
            "no error");
}

TEST(ValueReader, AnImpossibleLongStringLengthFailsBeforeAllocating) {
  // 0xFFFFFFF0 bytes announced, 3 present: a read error, not a 4 GB allocation.
  EXPECT_EQ(ReadMessage("\x0C\xF0\xFF\xFF\xFF"
                        "abc",
                        [](TReader& r) { r.ReadString(); }),
            "Stream read error");
  EXPECT_EQ(ReadMessage("\x0C\x00\x00\x00\x80"
                        "abc",
                        [](TReader& r) { r.ReadString(); }),
            "Stream read error");
  // Exactly what is left is fine.
  EXPECT_EQ(ReadMessage(std::string("\x0C\x03\x00\x00\x00"
                                    "abc",
                                    8),
                        [](TReader& r) { EXPECT_EQ(r.ReadString(), "abc"); }),
            "no error");
}

namespace {
// The same checks through a copying stream and through one that lends its memory.
template <typename Stream>
void ExpectBlocksAndRewind(Stream& m) {
  {
    TWriter w(m);
    for (int i = 0; i < 300; ++i) w.WriteInteger(i);
    w.WriteString(std::string(1000, 'L'));
  }
  m.SetPosition(0);
  {
    TReader r(m);
    EXPECT_EQ(r.ReadInteger(), 0);
    EXPECT_EQ(r.ReadInteger(), 1);
    EXPECT_EQ(r.Position(), 4);
    EXPECT_EQ(m.Position(), 255);  // one block taken
  }
  EXPECT_EQ(m.Position(), 4);
  {
    TReader r(m);
    EXPECT_EQ(r.ReadInteger(), 2);
    for (int i = 3; i < 200; ++i) r.ReadInteger();
  }
  EXPECT_EQ(m.Position(), 128 * 2 + 72 * 3);  // values 0..199
  {
    TReader r(m);
    for (int i = 200; i < 300; ++i) ASSERT_EQ(r.ReadInteger(), i);
    EXPECT_EQ(r.ReadString(), std::string(1000, 'L'));
    EXPECT_THROW(r.ReadBoolean(), EReadError);
  }
  EXPECT_EQ(m.Position(), m.Size());
}
}  // namespace

TEST(ValueReader, ReadsBlocksAndRewindsTheStreamOnRelease) {
  BlockStream copying;
  ExpectBlocksAndRewind(copying);
  ASSERT_FALSE(copying.reads.empty());
  for (int n : copying.reads) EXPECT_EQ(n, 255);
  TMemoryStream lending;
  ExpectBlocksAndRewind(lending);
}
