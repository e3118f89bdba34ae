// What the image reader's JPEG check costs: each file decoded by the reader (check and
// decoder) and by the plain decoder alone, median milliseconds of several runs, and the
// ratio. Prints its figures; not a test. Usage: ilib_bench FILE.jpg...
// Files of a useful size, for example:
//   convert -size 2400x1600 plasma:fractal -quality 90 baseline.jpg
//   convert -size 2400x1600 plasma:fractal -quality 90 -interlace JPEG progressive.jpg
#include <cstdio>
#include <fstream>
#include <iterator>
#include <vector>

#include "bench/BenchClock.h"
#include "imagelib/Decode.h"
#include "imagelib/bench/StbPlain.h"

namespace {

// Median milliseconds of each of two decodes, run by turns so that a busy machine slows both.
template <class A, class B>
void MedianMs(A&& a, B&& b, double& msA, double& msB) {
  std::vector<double> runsA, runsB;
  for (int i = 0; i < 15; ++i) {
    double t0 = vx::BenchNow();
    a();
    double t1 = vx::BenchNow();
    b();
    runsA.push_back(t1 - t0);
    runsB.push_back(vx::BenchNow() - t1);
  }
  msA = vx::BenchMedian(runsA);
  msB = vx::BenchMedian(runsB);
}

}  // namespace

int main(int argc, char** argv) {
  if (argc < 2) {
    std::printf("usage: ilib_bench FILE.jpg...\n");
    return 2;
  }
  for (int a = 1; a < argc; ++a) {
    std::ifstream in(argv[a], std::ios::binary);
    std::vector<uint8_t> d{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    int w = 0, h = 0;
    std::vector<uint8_t> rgb;
    if (!PlainJpegDecode(d.data(), d.size(), w, h, rgb)) {
      std::printf("%s: the decoder refuses it\n", argv[a]);
      continue;
    }
    ilib::Image image;
    int result = ilib::Decode(ilib::Kind::Jpeg, d.data(), d.size(), image);
    double reader = 0, plain = 0;
    MedianMs(
        [&] {
          ilib::Image i;
          ilib::Decode(ilib::Kind::Jpeg, d.data(), d.size(), i);
        },
        [&] {
          std::vector<uint8_t> p;
          PlainJpegDecode(d.data(), d.size(), w, h, p);
        },
        reader, plain);
    std::printf("%s: %dx%d, %zu bytes: reader %.1f ms (result %d), plain decoder %.1f ms, cost of the check %+.1f %%\n",
                argv[a], w, h, d.size(), reader, result, plain, plain > 0 ? (reader / plain - 1) * 100 : 0.0);
  }
  return 0;
}
