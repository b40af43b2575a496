#include "runtime/value_convert.h"

#include <cinttypes>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "runtime/heap.h"
#include "runtime/runtime_error.h"

namespace rt {

double RoundFloatSixDigits(float x) {
  uint32_t bits;
  std::memcpy(&bits, &x, 4);
  auto e2 = static_cast<int8_t>(static_cast<int>((bits >> 23) & 0xFF) - 127);
  int d = static_cast<int>(e2 * std::log10(2.0));  // truncated toward zero
  double p = std::pow(10.0, std::abs(d));
  double ax = std::fabs(static_cast<double>(x));
  double m = d > 0 ? ax / p : ax * p;
  if (m >= 10) {
    p *= 10;
    d += 1;
    m *= 10000;
  } else if (m >= 1) {
    m *= 100000;
  } else {
    p *= 10;
    d -= 1;
    m *= 1000000;
  }
  double n = std::floor(m);
  if (m - n >= 0.5) n += 1;
  if (x < 0) p = -p;
  return d > 0 ? n * (p * 0.00001) : n / (p * 100000);
}

namespace {
// Days since 1970-01-01 to a proleptic Gregorian date.
void CivilFromDays(int64_t z, int& y, int& m, int& d) {
  z += 719468;
  int64_t era = (z >= 0 ? z : z - 146096) / 146097;
  int64_t doe = z - era * 146097;
  int64_t yoe = (doe - doe / 1460 + doe / 36524 - doe / 146096) / 365;
  int64_t doy = doe - (365 * yoe + yoe / 4 - yoe / 100);
  int64_t mp = (5 * doy + 2) / 153;
  d = static_cast<int>(doy - (153 * mp + 2) / 5 + 1);
  m = static_cast<int>(mp < 10 ? mp + 3 : mp - 9);
  y = static_cast<int>(yoe + era * 400 + (m <= 2 ? 1 : 0));
}
constexpr int64_t kOleEpochFrom1970 = -25569;  // 1899-12-30
}  // namespace

OleDateParts SplitOleDate(double date) {
  if (std::isnan(date)) date = 0;
  if (date < -657434.0) date = -657434.0;
  if (date > 2958465.0) date = 2958465.0;
  // The whole part counts days (negative before 1899-12-30); the fraction's size is the time of day.
  double whole = std::trunc(date);
  double fraction = std::fabs(date - whole);
  auto seconds = static_cast<int64_t>(std::floor(fraction * 86400.0 + 0.5));
  auto day = static_cast<int64_t>(whole);
  if (seconds >= 86400) {
    seconds -= 86400;
    day += 1;
  }
  OleDateParts parts{};
  CivilFromDays(day + kOleEpochFrom1970, parts.year, parts.month, parts.day);
  parts.hour = static_cast<int>(seconds / 3600);
  parts.minute = static_cast<int>(seconds / 60 % 60);
  parts.second = static_cast<int>(seconds % 60);
  return parts;
}

namespace {
std::string DateText(double date) {
  OleDateParts p = SplitOleDate(date);
  char buf[96];
  int n = std::snprintf(buf, sizeof buf, "%d年%d月%d日", p.year, p.month, p.day);
  if (p.second != 0)
    std::snprintf(buf + n, sizeof buf - n, "%d时%d分%d秒", p.hour, p.minute, p.second);
  else if (p.minute != 0)
    std::snprintf(buf + n, sizeof buf - n, "%d时%d分", p.hour, p.minute);
  else if (p.hour != 0)
    std::snprintf(buf + n, sizeof buf - n, "%d时", p.hour);
  return buf;
}

// Elements of a one-dimensional array as text: the bytes up to the first zero.
std::string ArrayBytesText(const void* block, uint32_t width) {
  if (!block) return {};
  auto words = static_cast<const uint32_t*>(block);
  uint64_t bytes = static_cast<uint64_t>(words[1]) * width;
  auto data = reinterpret_cast<const char*>(words + 2);
  auto end = static_cast<const char*>(std::memchr(data, 0, static_cast<size_t>(bytes)));
  return std::string(data, end ? static_cast<size_t>(end - data) : static_cast<size_t>(bytes));
}
}  // namespace

char* ValueToText(const CmdArg& v) {
  std::string s;
  char buf[64];
  if ((tc::IsArray(v.type) && tc::IsNumeric(tc::ElementOf(v.type))) || v.type == tc::ByteArray) {
    s = ArrayBytesText(ArgPtr(v), v.type == tc::ByteArray ? 1 : tc::NumericWidth(tc::ElementOf(v.type)));
  } else if (tc::IsArray(v.type)) {
    // Arrays of other element types have no text.
  } else {
    switch (v.type) {
      case tc::Byte: std::snprintf(buf, sizeof buf, "%u", v.lo & 0xFFu); s = buf; break;
      case tc::Short: std::snprintf(buf, sizeof buf, "%d", static_cast<int16_t>(v.lo)); s = buf; break;
      case tc::Integer: std::snprintf(buf, sizeof buf, "%d", static_cast<int32_t>(v.lo)); s = buf; break;
      case tc::Long: std::snprintf(buf, sizeof buf, "%" PRId64, ArgLong(v)); s = buf; break;
      case tc::Float: std::snprintf(buf, sizeof buf, "%.6g", RoundFloatSixDigits(ArgFloat(v))); s = buf; break;
      case tc::Double: std::snprintf(buf, sizeof buf, "%.13g", ArgDouble(v)); s = buf; break;
      case tc::Text: return DupText(ArgText(v));
      case tc::Logical: s = v.lo ? "真" : "假"; break;
      case tc::DateTime: s = DateText(ArgDouble(v)); break;
      default: break;
    }
  }
  return DupText(s.c_str());
}

int32_t ValueToInteger(const CmdArg& v) {
  switch (v.type) {
    case tc::Byte: return static_cast<int32_t>(v.lo & 0xFFu);
    case tc::Short: return static_cast<int16_t>(v.lo & 0xFFFFu);
    case tc::Integer: return static_cast<int32_t>(v.lo);
    case tc::Long: return static_cast<int32_t>(v.lo);
    case tc::Float: return static_cast<int32_t>(ArgFloat(v));
    case tc::Double: return static_cast<int32_t>(ArgDouble(v));
    default: ReportRuntimeError("欲转换数据类型不是数值", 0);
  }
}

DataView ValueDataView(const CmdArg& v) {
  switch (v.type) {
    case tc::Byte: return {&v.lo, 1};
    case tc::Short: return {&v.lo, 2};
    case tc::Integer:
    case tc::Float:
    case tc::Logical: return {&v.lo, 4};
    case tc::SubPtr: return {&v.lo, sizeof(void*)};  // an address: both halves on the 64-bit build
    case tc::Long:
    case tc::Double:
    case tc::DateTime:
    case tc::Wide8: return {&v.lo, 8};
    case tc::Text: {
      const char* t = ArgText(v);
      if (!t) return {nullptr, 0};
      return {t, static_cast<uint32_t>(std::strlen(t) + 1)};
    }
    case tc::ByteArray: {
      const void* b = ArgPtr(v);
      return {ByteArrayData(b), ByteArrayLength(b)};
    }
    default: return {nullptr, 0};
  }
}

}  // namespace rt
