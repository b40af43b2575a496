// Prints how long a 30 KB UTF-8 page takes to become GBK through the converter and, for
// comparison, through the bare platform calls. Run on purpose; not a test.
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "modules/encoding/convert_driver.h"

namespace {

std::vector<uint8_t> SamplePage() {
  std::string page = "<html><head><title>\xE6\xB5\x81\xE6\xB5\xAA\xE5\x9C\xB0\xE7\x90\x83</title></head><body>";
  while (page.size() < 30000) {
    page += "<p>\xE7\x94\xB5\xE5\xBD\xB1\xE4\xB8\x8B\xE8\xBD\xBD <a href=\"thunder://QUFodHRwOi8vZXhhbXBsZQ==\">"
            "\xE8\xBF\x85\xE9\x9B\xB7</a> 1080p</p>\n";
  }
  page += "</body></html>";
  std::vector<uint8_t> block(8 + page.size());
  const uint32_t header[2] = {1, static_cast<uint32_t>(page.size())};
  memcpy(block.data(), header, 8);
  memcpy(block.data() + 8, page.data(), page.size());
  return block;
}

double Seconds(LARGE_INTEGER a, LARGE_INTEGER b, LARGE_INTEGER f) {
  return static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
}

}  // namespace

int main() {
  const std::vector<uint8_t> block = SamplePage();
  const size_t length = block.size() - 8;
  const int rounds = 2000;
  LARGE_INTEGER f, t0, t1;
  QueryPerformanceFrequency(&f);

  size_t outLength = 0;
  QueryPerformanceCounter(&t0);
  for (int i = 0; i < rounds; ++i) {
    iconv_t cd = iconv_open("GBK", "UTF-8");
    enc::Converted out;
    if (!enc::ConvertWhole(cd, block.data(), &out)) {
      std::printf("conversion failed\n");
      return 1;
    }
    outLength = out.length;
    std::free(out.data);
    iconv_close(cd);
  }
  QueryPerformanceCounter(&t1);
  double ours = Seconds(t0, t1, f) / rounds;

  std::vector<wchar_t> wide(length);
  std::vector<char> gbk(length * 2);
  QueryPerformanceCounter(&t0);
  for (int i = 0; i < rounds; ++i) {
    int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, reinterpret_cast<const char*>(block.data() + 8),
                                static_cast<int>(length), wide.data(), static_cast<int>(wide.size()));
    BOOL used = FALSE;
    WideCharToMultiByte(936, WC_NO_BEST_FIT_CHARS, wide.data(), n, gbk.data(), static_cast<int>(gbk.size()),
                        nullptr, &used);
  }
  QueryPerformanceCounter(&t1);
  double bare = Seconds(t0, t1, f) / rounds;

  QueryPerformanceCounter(&t0);
  for (int i = 0; i < rounds; ++i) iconv_close(iconv_open("GBK", "UTF-8"));
  QueryPerformanceCounter(&t1);
  double openClose = Seconds(t0, t1, f) / rounds;

  std::printf("UTF-8 -> GBK, %u bytes in, %u bytes out, %d rounds\n", static_cast<unsigned>(length),
              static_cast<unsigned>(outLength), rounds);
  std::printf("  ConvertWhole over the converter: %.1f us per page (%.1f MB/s)\n", ours * 1e6,
              static_cast<double>(length) / ours / 1e6);
  std::printf("  bare code-page calls:            %.1f us per page (%.1f MB/s)\n", bare * 1e6,
              static_cast<double>(length) / bare / 1e6);
  std::printf("  of which opening and closing:     %.1f us\n", openClose * 1e6);
  return 0;
}
