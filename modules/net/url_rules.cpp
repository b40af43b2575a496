#include "modules/net/url_rules.h"

namespace net {

RequestPlan PlanForScheme(int scheme) {
  if (scheme == kSchemeHttps) return {kServiceHttp, kFlagsPlain | kFlagSecure};
  if (scheme == kSchemeHttp) return {kServiceHttp, kFlagsPlain};
  return {static_cast<uint32_t>(scheme), kFlagsPlain};
}

std::string CutFragment(const std::string& object) {
  std::string::size_type hash = object.find('#');
  return hash == std::string::npos ? object : object.substr(0, hash);
}

}  // namespace net
