// Texts between the program's code page and UTF-16, as the automation commands exchange them
// (the system's ANSI code page).
#pragma once
#include <windows.h>
#include <oleauto.h>

#include <string>

namespace rt::com {
std::wstring Widen(const char* text);   // null is the empty text
BSTR NewBstr(const char* text);         // a new BSTR; the empty text gives an empty string, not null
char* NewText(const wchar_t* text, UINT length);  // a runtime heap text, null for the empty text
}  // namespace rt::com
