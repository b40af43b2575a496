#include "modules/net/url_crack.h"

#include <windows.h>
#include <wininet.h>

#include <string>
#include <vector>

#include "modules/net/url_rules.h"

namespace net {

static_assert(kSchemeHttp == INTERNET_SCHEME_HTTP && kSchemeHttps == INTERNET_SCHEME_HTTPS &&
                  kServiceHttp == INTERNET_SERVICE_HTTP,
              "scheme and service numbers");
static_assert(kFlagsPlain == (INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE | INTERNET_FLAG_NO_COOKIES) &&
                  kFlagSecure == INTERNET_FLAG_SECURE,
              "request flags");

// The parser's narrow entries measure double-byte text in characters but copy bytes, which
// cuts GBK paths short (measured under Wine). The URL therefore goes through the wide entries
// of the same parser and each part comes back in the ANSI code page; the limits count
// characters.
namespace {
bool Widen(const char* text, std::wstring& out) {
  int n = MultiByteToWideChar(CP_ACP, 0, text, -1, nullptr, 0);
  if (n <= 0) return false;
  out.assign(n, L'\0');
  if (MultiByteToWideChar(CP_ACP, 0, text, -1, &out[0], n) != n) return false;
  out.resize(n - 1);
  return true;
}

std::string Narrow(const wchar_t* text, DWORD length) {
  if (length == 0) return std::string();
  int n = WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), nullptr, 0, nullptr, nullptr);
  std::string out(n > 0 ? n : 0, '\0');
  if (n > 0) WideCharToMultiByte(CP_ACP, 0, text, static_cast<int>(length), &out[0], n, nullptr, nullptr);
  return out;
}

// Unsafe characters stay as they are: the URL goes to the server as the caller wrote it.
bool Canonicalize(const std::wstring& url, std::vector<wchar_t>& out) {
  DWORD size = static_cast<DWORD>(url.size()) * 3 + 64;
  for (int attempt = 0; attempt < 2; ++attempt) {
    out.assign(size + 1, L'\0');
    DWORD length = size;
    if (InternetCanonicalizeUrlW(url.c_str(), out.data(), &length, ICU_NO_ENCODE)) return true;
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || length <= size) return false;
    size = length;
  }
  return false;
}
}  // namespace

bool CrackUrl(const char* url, CrackedUrl& out) {
  std::wstring wide;
  std::vector<wchar_t> canonical;
  if (!Widen(url, wide) || !Canonicalize(wide, canonical)) return false;

  wchar_t scheme[32] = {};
  wchar_t host[kMaxHost + 1] = {};
  wchar_t user[kMaxUserOrPassword + 1] = {};
  wchar_t password[kMaxUserOrPassword + 1] = {};
  wchar_t path[kMaxObject + 1] = {};
  wchar_t extra[kMaxObject + 1] = {};
  URL_COMPONENTSW parts{};
  parts.dwStructSize = sizeof parts;
  parts.lpszScheme = scheme;
  parts.dwSchemeLength = 32;
  parts.lpszHostName = host;
  parts.dwHostNameLength = kMaxHost + 1;
  parts.lpszUserName = user;
  parts.dwUserNameLength = kMaxUserOrPassword + 1;
  parts.lpszPassword = password;
  parts.dwPasswordLength = kMaxUserOrPassword + 1;
  parts.lpszUrlPath = path;
  parts.dwUrlPathLength = kMaxObject + 1;
  parts.lpszExtraInfo = extra;
  parts.dwExtraInfoLength = kMaxObject + 1;
  if (!InternetCrackUrlW(canonical.data(), 0, 0, &parts)) return false;
  if (parts.dwHostNameLength > kMaxHost || parts.dwUrlPathLength + parts.dwExtraInfoLength > kMaxObject) return false;

  out.scheme = parts.nScheme;
  out.host = Narrow(host, parts.dwHostNameLength);
  out.port = parts.nPort;
  out.user = Narrow(user, parts.dwUserNameLength);
  out.password = Narrow(password, parts.dwPasswordLength);
  out.object = Narrow(path, parts.dwUrlPathLength) + Narrow(extra, parts.dwExtraInfoLength);
  return true;
}

}  // namespace net
