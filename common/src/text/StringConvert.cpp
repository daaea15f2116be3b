#include "pixorama/common/StringConvert.h"

#include "pixorama/platform/Strings.h"

#include <cstring>

char* gCStringToChar(const CString* s)
{
    const std::string text = s ? plat::toUtf8(*s) : std::string();
    char* copy = new char[text.size() + 1];
    std::memcpy(copy, text.c_str(), text.size() + 1);
    return copy;
}

void gDLLDelete(char* p)
{
    delete[] p;
}

std::string CStringToString(const CString& s)
{
    return plat::toUtf8(s);
}
