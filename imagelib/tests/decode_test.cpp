// The decoder on JPEG files whose entropy-coded data ends before the last block, or is cut
// inside a restart interval: shown as far as the data goes, the rest empty.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "imagelib/Decode.h"

namespace {

std::vector<uint8_t> ReadFile(const std::filesystem::path& p) {
  std::ifstream in(p, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

struct Sample {
  std::string name;
  std::vector<uint8_t> bytes;
};

std::vector<Sample> Samples() {
  std::vector<Sample> v;
  for (auto& e : std::filesystem::directory_iterator(VX_JPEG_SAMPLES))
    v.push_back({e.path().filename().string(), ReadFile(e.path())});
  return v;
}

// Where each scan's entropy-coded data starts and ends (restart markers inside it).
struct Span {
  size_t start, end;
};
std::vector<Span> Scans(const std::vector<uint8_t>& d) {
  std::vector<Span> scans;
  for (size_t i = 0; i + 3 < d.size(); ++i) {
    if (d[i] != 0xFF || d[i + 1] != 0xDA) continue;
    size_t p = i + 2 + (size_t(d[i + 2]) << 8 | d[i + 3]), e = p;
    while (e + 1 < d.size() && !(d[e] == 0xFF && d[e + 1] != 0x00 && (d[e + 1] < 0xD0 || d[e + 1] > 0xD7))) ++e;
    scans.push_back({p, e});
    i = e;
  }
  return scans;
}

TEST(JpegDecode, WholeFilesDecode) {
  auto samples = Samples();
  ASSERT_GE(samples.size(), 3u);
  for (auto& s : samples) {
    ilib::Image image;
    EXPECT_EQ(ilib::Decode(ilib::Kind::Jpeg, s.bytes.data(), s.bytes.size(), image), ilOk) << s.name;
    EXPECT_EQ(image.width, 45) << s.name;
    EXPECT_EQ(image.height, 29) << s.name;
  }
}

const ilib::Rgb kGrey{128, 128, 128};

ilib::Image DecodeOk(const std::vector<uint8_t>& d, const std::string& what) {
  ilib::Image image;
  EXPECT_EQ(ilib::Decode(ilib::Kind::Jpeg, d.data(), d.size(), image), ilOk) << what;
  EXPECT_EQ(image.width, 45) << what;
  EXPECT_EQ(image.height, 29) << what;
  return image;
}

std::vector<uint8_t> Cut(const std::vector<uint8_t>& d, size_t at, bool endMarker) {
  std::vector<uint8_t> c(d.begin(), d.begin() + std::ptrdiff_t(at));
  if (endMarker) {
    if (c.back() == 0xFF) c.pop_back();
    c.push_back(0xFF);
    c.push_back(0xD9);
  }
  return c;
}

// Each scan cut short at every byte, the file ended there with or without its end marker:
// the picture shows what the data holds. Where the first scan is cut by half
// or more its last blocks are empty, mid-grey, never made up from bits past the cut; a
// baseline picture cut in the second half of its data keeps its first block.
TEST(JpegDecode, ACutFileShowsAsFarAsItsDataGoes) {
  for (auto& s : Samples()) {
    auto scans = Scans(s.bytes);
    ASSERT_FALSE(scans.empty()) << s.name;
    ilib::Image whole = DecodeOk(s.bytes, s.name);
    bool progressive = scans.size() > 1;
    for (size_t scan = 0; scan < scans.size(); ++scan) {
      size_t length = scans[scan].end - scans[scan].start;
      for (size_t keep = 0; keep < length; ++keep) {
        for (bool endMarker : {true, false}) {
          std::string what = s.name + " scan " + std::to_string(scan) + " cut " + std::to_string(keep) +
                             " bytes in" + (endMarker ? ", end marker added" : "");
          ilib::Image cut = DecodeOk(Cut(s.bytes, scans[scan].start + keep, endMarker), what);
          if (cut.width != 45 || cut.height != 29) continue;
          if (scan == 0 && keep <= length / 2) EXPECT_EQ(cut.At(44, 28), kGrey) << what;
          if (!progressive && keep >= length / 2) EXPECT_EQ(cut.At(0, 0), whole.At(0, 0)) << what;
        }
      }
    }
  }
}

// Where each restart interval ends, in a file with a restart marker after every block group
// of 16 x 16 pixels (3 across, 2 down).
std::vector<size_t> Restarts(const std::vector<uint8_t>& d) {
  std::vector<size_t> at;
  for (size_t i = 0; i + 1 < d.size(); ++i)
    if (d[i] == 0xFF && d[i + 1] >= 0xD0 && d[i + 1] <= 0xD7) at.push_back(i);
  return at;
}

ilib::Image Sample(const std::string& name) {
  for (auto& s : Samples())
    if (s.name == name) return DecodeOk(s.bytes, name);
  ADD_FAILURE() << "no sample " << name;
  return {};
}

std::vector<uint8_t> SampleBytes(const std::string& name) {
  for (auto& s : Samples())
    if (s.name == name) return s.bytes;
  return {};
}

bool RowsEqual(const ilib::Image& a, const ilib::Image& b, int from, int to) {
  for (int y = from; y < to; ++y)
    for (int x = 0; x < a.width; ++x)
      if (!(a.At(x, y) == b.At(x, y))) return false;
  return true;
}

bool RowsAre(const ilib::Image& a, ilib::Rgb c, int from, int to) {
  for (int y = from; y < to; ++y)
    for (int x = 0; x < a.width; ++x)
      if (!(a.At(x, y) == c)) return false;
  return true;
}

// The same coefficients with a restart marker after every block group, baseline and
// progressive, decode to the same pixels as the file without them. Cut after the first row
// of groups, or inside a later group, the top row shows and what follows the cut is grey;
// a group whose data is cut short inside the file costs that group only, the decoder
// starting afresh at the next marker.
TEST(JpegDecode, RestartIntervals) {
  ilib::Image twin = Sample("twin-420.jpg");
  for (const char* name : {"restart-420.jpg", "restart-progressive.jpg"}) {
    EXPECT_TRUE(RowsEqual(Sample(name), twin, 0, 29)) << name;
  }
  std::vector<uint8_t> d = SampleBytes("restart-420.jpg");
  std::vector<size_t> rst = Restarts(d);
  ASSERT_EQ(rst.size(), 5u);
  // Before and after the marker that ends the first row of groups, and inside the fifth group.
  struct {
    size_t at;
    bool bottomRowEmpty;
  } cuts[] = {{rst[2], true}, {rst[2] + 2, true}, {rst[3] + 2 + (rst[4] - rst[3]) / 2, false}};
  for (auto& c : cuts)
    for (bool endMarker : {true, false}) {
      std::string what = "cut at " + std::to_string(c.at) + (endMarker ? ", end marker added" : "");
      ilib::Image cut = DecodeOk(Cut(d, c.at, endMarker), what);
      // Chroma is blended across the boundary of the rows: rows 14 to 17 hold some of both.
      EXPECT_TRUE(RowsEqual(cut, twin, 0, 14)) << what;
      if (c.bottomRowEmpty) EXPECT_TRUE(RowsAre(cut, kGrey, 18, 29)) << what;
      EXPECT_EQ(cut.At(44, 28), kGrey) << what;
    }
  std::vector<uint8_t> damaged = d;
  damaged.erase(damaged.begin() + std::ptrdiff_t(rst[0] + 2 + 1), damaged.begin() + std::ptrdiff_t(rst[1] - 2));
  ilib::Image image = DecodeOk(damaged, "group 1 damaged");
  EXPECT_TRUE(RowsEqual(image, twin, 18, 29));
}

}  // namespace
