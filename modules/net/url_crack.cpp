#include "modules/net/url_crack.h"

#include <windows.h>
#include <wininet.h>

#include <cstring>
#include <vector>

#include "modules/net/url_rules.h"

namespace net {

static_assert(kSchemeHttp == INTERNET_SCHEME_HTTP && kSchemeHttps == INTERNET_SCHEME_HTTPS &&
                  kServiceHttp == INTERNET_SERVICE_HTTP,
              "scheme and service numbers");
static_assert(kFlagsPlain == (INTERNET_FLAG_RELOAD | INTERNET_FLAG_NO_CACHE_WRITE) &&
                  kFlagSecure == INTERNET_FLAG_SECURE,
              "request flags");

namespace {
// Unsafe characters stay as they are: the URL goes to the server as the caller wrote it.
bool Canonicalize(const char* url, std::vector<char>& out) {
  DWORD size = static_cast<DWORD>(std::strlen(url)) * 3 + 64;
  for (int attempt = 0; attempt < 2; ++attempt) {
    out.assign(size + 1, 0);
    DWORD length = size;
    if (InternetCanonicalizeUrlA(url, out.data(), &length, ICU_NO_ENCODE)) return true;
    if (GetLastError() != ERROR_INSUFFICIENT_BUFFER || length <= size) return false;
    size = length;
  }
  return false;
}
}  // namespace

bool CrackUrl(const char* url, CrackedUrl& out) {
  std::vector<char> canonical;
  if (!Canonicalize(url, canonical)) return false;

  char scheme[32] = {};
  char host[kMaxHost + 1] = {};
  char user[kMaxUserOrPassword + 1] = {};
  char password[kMaxUserOrPassword + 1] = {};
  char path[kMaxObject + 1] = {};
  char extra[kMaxObject + 1] = {};
  URL_COMPONENTSA parts{};
  parts.dwStructSize = sizeof parts;
  parts.lpszScheme = scheme;
  parts.dwSchemeLength = sizeof scheme;
  parts.lpszHostName = host;
  parts.dwHostNameLength = sizeof host;
  parts.lpszUserName = user;
  parts.dwUserNameLength = sizeof user;
  parts.lpszPassword = password;
  parts.dwPasswordLength = sizeof password;
  parts.lpszUrlPath = path;
  parts.dwUrlPathLength = sizeof path;
  parts.lpszExtraInfo = extra;
  parts.dwExtraInfoLength = sizeof extra;
  if (!InternetCrackUrlA(canonical.data(), 0, 0, &parts)) return false;

  // The parser works on wide text and reports lengths in characters, which for double-byte
  // text is not the byte count; the parts it copies are zero-terminated, so measure those.
  out.scheme = parts.nScheme;
  out.host.assign(host, strnlen(host, sizeof host));
  out.port = parts.nPort;
  out.user.assign(user, strnlen(user, sizeof user));
  out.password.assign(password, strnlen(password, sizeof password));
  out.object.assign(path, strnlen(path, sizeof path));
  out.object.append(extra, strnlen(extra, sizeof extra));
  if (out.host.size() > kMaxHost || out.object.size() > kMaxObject) return false;
  return true;
}

}  // namespace net
