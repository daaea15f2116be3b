#pragma once

#include <string>
#include <vector>

// Saves a line profile as CSV (index and value per line, UTF-8 with a
// byte-order mark) at path, and its chart as a PNG beside it (the same name
// with ".png"). Both go through the atomic writer; false with a message when
// either could not be written.
bool gSaveProfile(const std::wstring& path, const std::vector<float>& values, std::wstring& error);
