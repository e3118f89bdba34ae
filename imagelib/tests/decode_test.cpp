// The decoder on JPEG files whose entropy-coded data ends before the last block: refused,
// where whole files of the same kinds (baseline, subsampled, progressive) decode.
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

// Where each scan's entropy-coded data starts and ends (the samples have no restarts).
struct Span {
  size_t start, end;
};
std::vector<Span> Scans(const std::vector<uint8_t>& d) {
  std::vector<Span> scans;
  for (size_t i = 0; i + 3 < d.size(); ++i) {
    if (d[i] != 0xFF || d[i + 1] != 0xDA) continue;
    size_t p = i + 2 + (size_t(d[i + 2]) << 8 | d[i + 3]), e = p;
    while (e + 1 < d.size() && !(d[e] == 0xFF && d[e + 1] != 0x00)) ++e;
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

// Each scan cut short, at its start or a few bytes in, and the file ended there: the
// decoder would go on from zero bits past the cut (and shift by its whole width doing so).
TEST(JpegDecode, ScanDataEndingEarlyIsRefused) {
  for (auto& s : Samples()) {
    auto scans = Scans(s.bytes);
    ASSERT_FALSE(scans.empty()) << s.name;
    for (size_t scan = 0; scan < scans.size(); ++scan) {
      // The last byte of a scan holds at least one bit of its last block.
      size_t length = scans[scan].end - scans[scan].start;
      for (size_t keep : {size_t(0), size_t(1), size_t(3), size_t(8), size_t(20), length / 2, length - 1}) {
        if (keep >= length) continue;
        size_t cut = scans[scan].start + keep;
        std::vector<uint8_t> d(s.bytes.begin(), s.bytes.begin() + std::ptrdiff_t(cut));
        if (d.back() == 0xFF) d.pop_back();
        d.push_back(0xFF);
        d.push_back(0xD9);
        ilib::Image image;
        EXPECT_EQ(ilib::Decode(ilib::Kind::Jpeg, d.data(), d.size(), image), ilFailed)
            << s.name << " scan " << scan << " cut " << keep << " bytes in";
      }
    }
  }
}

}  // namespace
