#include "pixorama/common/QEVIODisk.h"

#include "pixorama/platform/AtomicFile.h"

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <vector>

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

// Copies the old file into the new one; true when there is none.
bool copyOld(const char* path, plat::AtomicFile& into)
{
    std::error_code error;
    if (!std::filesystem::exists(path, error))
        return !error;
    std::ifstream old(path, std::ios::binary);
    std::vector<char> chunk(std::size_t(1) << 16);
    while (old) {
        old.read(chunk.data(), std::streamsize(chunk.size()));
        if (old.gcount() > 0 && !into.write(chunk.data(), std::size_t(old.gcount())))
            return false;
    }
    return old.eof() && !old.bad();
}

} // namespace

QEVIODisk::QEVIODisk() = default;
QEVIODisk::QEVIODisk(QEVIODisk&&) noexcept = default;
QEVIODisk& QEVIODisk::operator=(QEVIODisk&&) noexcept = default;

QEVIODisk::~QEVIODisk()
{
    if (pending)
        CloseWrite();
}

void QEVIODisk::OpenWriter(const char* path, bool append)
{
    if (pending)
        CloseWrite();
    if (path && *path) {
        pending = std::make_unique<plat::AtomicFile>(path);
        if (pending->ok() && (!append || copyOld(path, *pending)))
            writer.open(pending->temporary(), std::ios::out | std::ios::app);
    }
    if (!writer.is_open()) {
        pending.reset();
        writer.setstate(std::ios::failbit);
    }
}

void QEVIODisk::OpenWrite(const char* path)
{
    OpenWriter(path, true);
}

void QEVIODisk::OpenWriteEmpty(const char* path)
{
    OpenWriter(path, false);
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
    if (!pending)
        return;
    if (writer.fail() || !pending->commit())
        writer.setstate(std::ios::badbit);
    pending.reset(); // an uncommitted temporary goes with it
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
