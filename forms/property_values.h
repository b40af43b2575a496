// How a property value crosses between the application (8 bytes) and a unit type (a pair of
// dwords), by the property's data type code; and the font components. No Win32 here beyond the
// LOGFONT layout.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>

namespace forms {

enum class PropertyKind { Integer, ClampedInteger, EightBytes, Logical, Bytes, MousePointer, Font, Text };
PropertyKind KindOfDataType(uint32_t dataType);

constexpr uint32_t kGeometryLimit = 32627;
int32_t ClampPosition(int32_t v);  // left, top: -32627 ... 32627
int32_t ClampExtent(int32_t v);    // width, height: 0 ... 32627

// Font component K of a LOGFONT: 0 angle, 1 bold, 2 italic, 3 strike-out, 4 underline,
// 5 size in points, 6 face name (read as text). pointsPerPixel helpers take the screen's DPI.
uint32_t ReadFontComponent(const LOGFONTA& font, int32_t component, int dpi);
void WriteFontComponent(LOGFONTA& font, int32_t component, uint32_t value, int dpi);
void SetFontFace(LOGFONTA& font, const char* face);  // 1..31 characters, else "宋体"

}  // namespace forms
