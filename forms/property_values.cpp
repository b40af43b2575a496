#include "forms/property_values.h"

#include <cstring>

namespace forms {

PropertyKind KindOfDataType(uint32_t dataType) {
  switch (dataType & 0xFFFF) {
    case 1000: case 1001: case 1014: case 1015: case 1017: return PropertyKind::Integer;
    case 1006: return PropertyKind::ClampedInteger;
    case 1002: case 1004: return PropertyKind::EightBytes;
    case 1003: return PropertyKind::Logical;
    case 1009: case 1010: case 1012: case 1023: case 1024: return PropertyKind::Bytes;
    case 1011: return PropertyKind::MousePointer;
    case 1013: return PropertyKind::Font;
    default: return PropertyKind::Text;
  }
}

int32_t ClampPosition(int32_t v) {
  const int32_t limit = static_cast<int32_t>(kGeometryLimit);
  return v < -limit ? -limit : v > limit ? limit : v;
}

int32_t ClampExtent(int32_t v) {
  const int32_t limit = static_cast<int32_t>(kGeometryLimit);
  return v < 0 ? 0 : v > limit ? limit : v;
}

uint32_t ReadFontComponent(const LOGFONTA& f, int32_t component, int dpi) {
  switch (component) {
    case 0: return static_cast<uint32_t>(f.lfOrientation);
    case 1: return f.lfWeight >= 700 ? 1 : 0;
    case 2: return f.lfItalic ? 1 : 0;
    case 3: return f.lfStrikeOut ? 1 : 0;
    case 4: return f.lfUnderline ? 1 : 0;
    case 5: {
      long h = f.lfHeight < 0 ? -f.lfHeight : f.lfHeight;
      return static_cast<uint32_t>((h * 72 + dpi / 2) / (dpi > 0 ? dpi : 96));
    }
    default: return 0;
  }
}

void WriteFontComponent(LOGFONTA& f, int32_t component, uint32_t value, int dpi) {
  switch (component) {
    case 0: {
      int32_t a = static_cast<int32_t>(value) % 3600;
      if (a < 0) a += 3600;
      f.lfEscapement = f.lfOrientation = a;
      break;
    }
    case 1: f.lfWeight = value ? 700 : 0; break;
    case 2: f.lfItalic = value ? 1 : 0; break;
    case 3: f.lfStrikeOut = value ? 1 : 0; break;
    case 4: f.lfUnderline = value ? 1 : 0; break;
    case 5: f.lfHeight = -static_cast<LONG>((static_cast<int32_t>(value) * (dpi > 0 ? dpi : 96) + 36) / 72); break;
    default: break;
  }
}

void SetFontFace(LOGFONTA& f, const char* face) {
  size_t n = face ? std::strlen(face) : 0;
  if (n < 1 || n > 31) face = "宋体", n = std::strlen(face);
  std::memset(f.lfFaceName, 0, sizeof f.lfFaceName);
  std::memcpy(f.lfFaceName, face, n);
}

}  // namespace forms
