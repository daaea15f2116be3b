#pragma once

#include <string>

// The system's wide string.
using CString = std::wstring;
