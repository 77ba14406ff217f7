// Texts and byte data to and from a game: texts are wide strings of the
// program's code page; byte data is a counted wide string with one
// character per byte.
#pragma once

#include <string>

#include <windows.h>
#include <oleauto.h>

// The caller frees the results with SysFreeString.
BSTR GameTextToWide(const std::string& text);
std::string GameTextFromWide(const BSTR text);

// The count always equals the byte count: where the code page would join or
// split characters, each byte becomes the character of the same number.
BSTR GameBytesToWide(const std::string& bytes);
// Undoes GameBytesToWide: one byte a character.
std::string GameBytesFromWide(const BSTR data);
