// Benchmark (prints figures; not a test): the page fetch against a bare WinINet loop doing the
// same requests in the same run, and the per-page conversion plus link search of a scan.
//   scan_bench [pages] [rounds]
#include <windows.h>
#include <wininet.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

#include "tests/bench/bench_target.h"
#include "modules/encoding/encoding_module.h"
#include "modules/net/net_module.h"
#include "modules/regex/regex_module.h"
#include "runtime/heap.h"
#include "runtime/interface_table.h"
#include "tests/support/test_image.h"
#include "tools/loopback_http/http_server.h"

namespace {

// A 30 KB UTF-8 page per ID: Chinese prose around a title and one link.
std::string Page(int id) {
  std::string body = "<html><head><meta charset=\"utf-8\"><title>\xE7\x94\xB5\xE5\xBD\xB1 " + std::to_string(id) +
                     "\xE5\x9C\xA8\xE7\xBA\xBF\xE9\xAB\x98\xE6\xB8\x85\xE4\xB8\x8B\xE8\xBD\xBD</title></head><body>\n";
  const std::string para = "<p>\xE8\xBF\x99\xE6\x98\xAF\xE4\xB8\x80\xE6\xAE\xB5\xE6\xBC\x94\xE7\xA4\xBA\xE6\x96\x87"
                           "\xE5\xAD\x97 lorem ipsum " + std::to_string(id) + "</p>\n";
  while (body.size() < 15000) body += para;
  body += "<a href=\"thunder://QUFmdHA6Ly9kZW1vLz" + std::to_string(id) + "WlpaWg==\" title=\"x\">dl</a>\n";
  while (body.size() < 30000) body += para;
  return body + "</body></html>\n";
}

double Seconds(LARGE_INTEGER a, LARGE_INTEGER b) {
  LARGE_INTEGER f;
  QueryPerformanceFrequency(&f);
  return static_cast<double>(b.QuadPart - a.QuadPart) / static_cast<double>(f.QuadPart);
}

CmdArg Call(const ModuleDescriptor& m, uint32_t command, std::vector<CmdArg> args) {
  return rt::kInterfaceTable.callModuleCommand(m.commands[command], 0, static_cast<int32_t>(args.size()), args.data());
}

double RunModuleFetches(int port, int pages, size_t& bytes) {
  LARGE_INTEGER a, b;
  QueryPerformanceCounter(&a);
  for (int i = 1; i <= pages; ++i) {
    std::string url = "http://127.0.0.1:" + std::to_string(port) + "/movie/" + std::to_string(i);
    CmdArg r = Call(kNetLibDescriptor, kNetHttpGet, {MakeText(url.c_str())});
    bytes += ByteArrayLength(ArgPtr(r));
    rt::FreeBlock(ArgPtr(r));
  }
  QueryPerformanceCounter(&b);
  return Seconds(a, b);
}

double RunBareFetches(int port, int pages, size_t& bytes) {
  static const char* accept[] = {"Accept: */* \r\n", nullptr};
  HINTERNET session = InternetOpenA("Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)", INTERNET_OPEN_TYPE_DIRECT,
                                    nullptr, nullptr, 0);
  std::vector<char> chunk(102400);
  LARGE_INTEGER a, b;
  QueryPerformanceCounter(&a);
  for (int i = 1; i <= pages; ++i) {
    std::string object = "/movie/" + std::to_string(i);
    HINTERNET c = InternetConnectA(session, "127.0.0.1", static_cast<INTERNET_PORT>(port), "", "",
                                   INTERNET_SERVICE_HTTP, 0, 0);
    HINTERNET r = HttpOpenRequestA(c, "GET", object.c_str(), "HTTP/1.0", nullptr, accept,
                                   INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_COOKIES, 0);
    HttpSendRequestA(r, "Accept: */*\r\n\r\n", 15, nullptr, 0);
    std::vector<char> body;
    DWORD got = 0;
    while (InternetReadFile(r, chunk.data(), static_cast<DWORD>(chunk.size()), &got) && got > 0)
      body.insert(body.end(), chunk.data(), chunk.data() + got);
    bytes += body.size();
    InternetCloseHandle(r);
    InternetCloseHandle(c);
  }
  QueryPerformanceCounter(&b);
  InternetCloseHandle(session);
  return Seconds(a, b);
}

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  PrintBenchTarget("scan_bench");
  int pages = argc > 1 ? std::atoi(argv[1]) : 2000;
  int rounds = argc > 2 ? std::atoi(argv[2]) : 5;
  testimg::InitRuntime();

  // One serving thread: the pages are asked for one after another.
  loopback::ServerOptions options;
  options.servingThreads = 1;
  options.recordRequests = false;
  loopback::HttpServer server(options, [](loopback::Connection& c, const std::string& request) {
    long long id = 0;
    loopback::MovieId(request, id);
    c.Send(loopback::Response(200, Page(static_cast<int>(id))));
  });
  int port = server.port();

  std::vector<double> module, bare;
  for (int r = 0; r < rounds; ++r) {
    size_t mb = 0, bb = 0;
    // Alternate the order so neither side always runs on a warmer machine.
    if (r % 2 == 0) {
      module.push_back(RunModuleFetches(port, pages, mb));
      bare.push_back(RunBareFetches(port, pages, bb));
    } else {
      bare.push_back(RunBareFetches(port, pages, bb));
      module.push_back(RunModuleFetches(port, pages, mb));
    }
    std::printf("round %d: HttpGet %.3f s (%zu bytes), bare WinINet %.3f s (%zu bytes)\n", r + 1, module.back(), mb,
                bare.back(), bb);
  }
  double m = Median(module), b = Median(bare);
  std::printf("fetch of %d pages of 30 KB, median of %d rounds: HttpGet %.3f s (%.2f ms/page), bare loop %.3f s "
              "(%.2f ms/page), ratio %.3f\n",
              pages, rounds, m, 1000 * m / pages, b, 1000 * b / pages, m / b);

  // Conversion and link search of one page, as a scan does them per ID.
  std::string page = Page(12345);
  void* bytes = rt::ByteArrayFromBytes(page.data(), static_cast<uint32_t>(page.size()));
  const int kPasses = 500;
  LARGE_INTEGER t0, t1;
  QueryPerformanceCounter(&t0);
  size_t found = 0;
  for (int i = 0; i < kPasses; ++i) {
    CmdArg gbk = Call(kEncodingLibDescriptor, encoding_cmd::ConvertEncoding,
                      {MakePtr(bytes, tc::ByteArray), MakeText("UTF-8"), MakeText("GBK")});
    std::string text(reinterpret_cast<const char*>(ByteArrayData(ArgPtr(gbk))), ByteArrayLength(ArgPtr(gbk)));
    AddrWord cell[2] = {0, 0};  // a regex variable: two words
    Call(kRegexLibDescriptor, regexcmd::RegexConstruct, {MakePtr(cell, tc::Regex)});
    Call(kRegexLibDescriptor, regexcmd::RegexCreate, {MakePtr(cell, tc::Regex), MakeText("thunder:..[^\\s]*")});
    CmdArg all = Call(kRegexLibDescriptor, regexcmd::RegexSearchAll, {MakePtr(cell, tc::Regex), MakeText(text.c_str())});
    auto array = static_cast<uint32_t*>(ArgPtr(all));
    void* const* cells = AddressElements(array);
    for (uint32_t k = 0; k < array[1]; ++k) {
      void* resultCell = cells[k];
      if (k == 0) {
        CmdArg link = Call(kRegexLibDescriptor, regexcmd::SearchResultGetText,
                           {MakePtr(resultCell, tc::SearchResult), MakeText(text.c_str())});
        found += ArgText(link) ? 1 : 0;
        rt::FreeBlock(ArgPtr(link));
      }
      Call(kRegexLibDescriptor, regexcmd::SearchResultDestroy, {MakePtr(resultCell, tc::SearchResult)});
      rt::FreeBlock(resultCell);
    }
    rt::FreeBlock(array);
    Call(kRegexLibDescriptor, regexcmd::RegexDestroy, {MakePtr(cell, tc::Regex)});
    rt::FreeBlock(ArgPtr(gbk));
  }
  QueryPerformanceCounter(&t1);
  std::printf("conversion + link search of a 30 KB page: %.3f ms per page (%zu of %d passes found the link)\n",
              1000 * Seconds(t0, t1) / kPasses, found, kPasses);
  rt::FreeBlock(bytes);
  return 0;
}
