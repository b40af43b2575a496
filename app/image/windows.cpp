#include "app/image/image_sources.h"

// The windows come with the form engine; until then the segment is empty.
std::vector<uint8_t> BuildFormSegment() { return {}; }
