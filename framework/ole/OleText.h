// Conversions between the program's texts (in the system code page) and
// automation strings.
#pragma once

#include <windows.h>
#include <oleauto.h>

#include <string>

// A new BSTR with text; the caller frees it.
BSTR AllocSysString(const std::string& text);
// The text of value; empty for null.
std::string TextOfBstr(BSTR value);
