#include "pixorama/common/QEVIODisk.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <iostream>

namespace {

// Plain ASCII classes: the user's locale must not change what a file means.
bool isBlank(unsigned char c)
{
    return c == ' ' || (c >= '\t' && c <= '\r');
}

bool isDigit(unsigned char c)
{
    return c >= '0' && c <= '9';
}

bool isLetter(unsigned char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
}

template <typename Drop>
std::string without(const std::string& line, Drop drop)
{
    std::string kept;
    kept.reserve(line.size());
    for (const char c : line)
        if (!drop(static_cast<unsigned char>(c)))
            kept.push_back(c);
    return kept;
}

} // namespace

void QEVIODisk::OpenWrite(const char* path)
{
    writer.open(path ? path : "", std::ios::out | std::ios::app);
}

void QEVIODisk::OpenWriteEmpty(const char* path)
{
    writer.open(path ? path : "", std::ios::out | std::ios::trunc);
}

void QEVIODisk::OpenRead(const char* path)
{
    reader.open(path ? path : "", std::ios::in);
}

void QEVIODisk::WritePara(const char* key, const void* value, int type)
{
    if (!key || !value)
        return;
    if (type == 0)
        writer << key << " = " << *static_cast<const int*>(value) << '\n';
    else if (type == 1)
        writer << key << " = " << *static_cast<const float*>(value) << '\n';
}

void QEVIODisk::WriteString(std::string s)
{
    writer << s;
}

void QEVIODisk::WriteChar(const char* s)
{
    if (s)
        writer << s;
}

void QEVIODisk::NextLine()
{
    writer << std::endl;
}

void QEVIODisk::ReadMap()
{
    std::string line;
    while (std::getline(reader, line)) {
        std::string key = without(line, [](unsigned char c) { return isDigit(c) || isBlank(c) || c == '='; });
        std::string value = without(line, [](unsigned char c) { return isLetter(c) || isBlank(c) || c == '='; });
        if (key.empty() && value.empty())
            continue;  // a blank line
        values.emplace(std::move(key), std::move(value));
    }
}

int QEVIODisk::ReadInt(const char* key)
{
    const auto found = key ? values.find(key) : values.end();
    if (found == values.end())
        return 0;
    return int(std::clamp<long>(std::strtol(found->second.c_str(), nullptr, 10), INT_MIN, INT_MAX));
}

float QEVIODisk::ReadFlt(const char* key)
{
    const auto found = key ? values.find(key) : values.end();
    return found == values.end() ? 0.0f : std::strtof(found->second.c_str(), nullptr);
}

void QEVIODisk::CloseRead()
{
    reader.close();
}

void QEVIODisk::CloseWrite()
{
    writer.close();
}

void QEVIODisk::Test()
{
    const char* file = "IODisk.ini";
    const int height = 45;
    const int sod = 89;
    OpenWrite(file);
    WritePara("height", &height, 0);
    WritePara("sod", &sod, 0);
    CloseWrite();
    OpenRead(file);
    ReadMap();
    CloseRead();
    for (const auto& [key, value] : values)
        std::cout << key << "=" << value << '\n';
}
