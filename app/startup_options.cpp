#include "app/startup_options.h"

#include <vector>

namespace app {
namespace {

// Splits like the platform's own rules for the simple cases: blanks separate, double quotes group.
std::vector<std::string> Tokens(const char* line) {
  std::vector<std::string> out;
  std::string current;
  bool quoted = false, have = false;
  for (const char* p = line ? line : ""; *p; ++p) {
    if (*p == '"') {
      quoted = !quoted;
      have = true;
    } else if ((*p == ' ' || *p == '\t') && !quoted) {
      if (have) out.push_back(current);
      current.clear();
      have = false;
    } else {
      current += *p;
      have = true;
    }
  }
  if (have) out.push_back(current);
  return out;
}

bool HostChar(char c) {
  return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '.' || c == '-';
}

}  // namespace

bool IsSiteHost(const std::string& text) {
  size_t colon = text.find(':');
  std::string host = text.substr(0, colon);
  if (host.empty() || host.size() > 253 || host.front() == '.' || host.front() == '-') return false;
  for (char c : host)
    if (!HostChar(c)) return false;
  if (colon == std::string::npos) return true;
  std::string port = text.substr(colon + 1);
  if (port.empty() || port.size() > 5) return false;
  long value = 0;
  for (char c : port) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return value >= 1 && value <= 65535;
}

bool ParseStartupOptions(const char* commandLine, StartupOptions& options, std::string& error) {
  std::vector<std::string> tokens = Tokens(commandLine);
  for (size_t i = 1; i < tokens.size(); ++i) {
    if (tokens[i] == "--site-host") {
      if (i + 1 >= tokens.size()) {
        error = "启动参数 --site-host 缺少站点地址（格式：--site-host 主机[:端口]）。";
        return false;
      }
      const std::string& value = tokens[++i];
      if (!IsSiteHost(value)) {
        error = "站点地址无效：" + value + "（格式：--site-host 主机[:端口]）。";
        return false;
      }
      options.siteHost = value;
    } else {
      error = "无法识别的启动参数：" + tokens[i] + "（可用的参数：--site-host 主机[:端口]）。";
      return false;
    }
  }
  return true;
}

}  // namespace app
