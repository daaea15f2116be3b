#pragma once

#include "CString.h"

#include <string>

// Conversions between the system's wide strings and its 8-bit (UTF-8) strings.

// A new[]-allocated, zero-terminated UTF-8 copy; free it with gDLLDelete. A
// null string gives an empty one.
char* gCStringToChar(const CString* s);
// Frees a buffer from gCStringToChar; does nothing for null.
void gDLLDelete(char* p);
std::string CStringToString(const CString& s);
