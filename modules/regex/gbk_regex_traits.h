// The regex traits used for GBK text: the system-locale traits for ASCII bytes, fixed answers for
// bytes with bit 7 set. Including this pulls in Boost.Regex; keep it to the engine's own sources.
#pragma once
#include <boost/regex.hpp>
// The Boost config hides these traits for GCC on Windows (BOOST_REGEX_NO_W32), so the regex header
// above leaves them out; their own header declares them regardless.
#include <boost/regex/v5/w32_regex_traits.hpp>

#include "modules/regex/gbk_byte_class.h"

namespace rx {

// Anything Boost asks of a single high byte is answered here without the system: its class (from
// HighByteClass), its case (none), and its meaning in a pattern (a plain character). The system's
// per-byte tables for those bytes are unreliable under a double-byte code page (see HighByteClass),
// and a trail byte lower-cased or classified on its own would split the character it belongs to.
// Boost calls the traits through the static type given to basic_regex, so hiding the base members
// is enough.
class GbkRegexTraits : public boost::w32_regex_traits<char> {
  using Base = boost::w32_regex_traits<char>;

 public:
  boost::regex_constants::syntax_type syntax_type(char c) const {
    return IsHighByte(c) ? boost::regex_constants::syntax_char : Base::syntax_type(c);
  }
  boost::regex_constants::escape_syntax_type escape_syntax_type(char c) const {
    return IsHighByte(c) ? boost::regex_constants::escape_type_identity : Base::escape_syntax_type(c);
  }
  char translate(char c) const { return c; }
  char translate_nocase(char c) const { return IsHighByte(c) ? c : Base::translate_nocase(c); }
  char translate(char c, bool icase) const { return icase ? translate_nocase(c) : c; }
  char tolower(char c) const { return IsHighByte(c) ? c : Base::tolower(c); }
  char toupper(char c) const { return IsHighByte(c) ? c : Base::toupper(c); }
  bool isctype(char c, char_class_type f) const {
    if (!IsHighByte(c)) return Base::isctype(c, f);
    // The base's extra masks (word adds '_', vertical adds line breaks, horizontal needs a space,
    // unicode needs a code above 0xFF) can never hold for a high byte.
    return (f & ctype1::AllClasses & HighByteClass(static_cast<unsigned char>(c))) != 0;
  }
};

using CompiledRegex = boost::basic_regex<char, boost::regex_traits<char, GbkRegexTraits>>;

}  // namespace rx
