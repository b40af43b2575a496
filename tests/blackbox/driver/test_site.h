// The black-box tests' movie site: the shared loopback page site (tools/loopback_http/).
#pragma once
#include "tools/loopback_http/page_site.h"

namespace driver {
using TestSite = loopback::PageSite;
}  // namespace driver
