// The character-set converter the encoding module drives, with the interface of the common
// iconv libraries so that one of them can take its place: iconv_open(to, from), iconv() with
// the in/out pointer-and-bytes-left contract, iconv_close().
//
// iconv() converts whole characters only. It returns the number of irreversible conversions
// (characters transliterated or dropped), or (size_t)-1 with errno set:
//   E2BIG  the output is full; the pointers stand after the last character that fitted
//   EILSEQ invalid input, or a character the target cannot hold (unless "//TRANSLIT" or
//          "//IGNORE" was asked for); the input pointer stands at that character
//   EINVAL the input ends inside a character; call again with the rest of it appended
// A null *inbuf (or inbuf) returns the converter to its initial state.
//
// Target suffixes: "//TRANSLIT" writes the platform's nearest form of a character the target
// cannot hold, or "?" when there is none; "//IGNORE" drops such characters and also steps over
// invalid input bytes. Neither excuses input cut short at the end (EINVAL).
// Code pages come from the platform and must be single- or double-byte, so GB18030 (54936,
// up to four bytes a character, and missing under Wine) does not open.
#pragma once
#include <cstddef>

typedef void* iconv_t;

iconv_t iconv_open(const char* tocode, const char* fromcode);
size_t iconv(iconv_t cd, char** inbuf, size_t* inbytesleft, char** outbuf, size_t* outbytesleft);
int iconv_close(iconv_t cd);
