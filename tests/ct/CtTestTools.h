#pragma once

// Shared helpers of the CT and sequence tests: small raw files in the
// test's home folder, file bytes, and a feedback that records what a job
// reported.
#include "TestHome.h"

#include "pixorama/platform/Modal.h"
#include "pixorama/platform/Strings.h"
#include "pixorama/workbench/SequenceJob.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <bit>
#include <cstdio>
#include <functional>
#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>
#include <vector>

namespace cttest {

inline std::filesystem::path Dir(const std::string& name = "")
{
    std::filesystem::path dir = TestHome::path() / "data";
    if (!name.empty())
        dir /= name;
    std::filesystem::create_directories(dir);
    return dir;
}

// stem + i + ext, as "f3.raw".
inline std::string Numbered(const char* stem, int i, const char* ext)
{
    char name[64];
    std::snprintf(name, sizeof name, "%s%d%s", stem, i, ext);
    return name;
}

inline CString W(const std::filesystem::path& p)
{
    return plat::fromPath(p);
}

template <typename T>
std::string Bytes(const std::vector<T>& values, bool bigEndian = false)
{
    std::string out(values.size() * sizeof(T), '\0');
    for (std::size_t i = 0; i < values.size(); ++i) {
        unsigned char b[sizeof(T)];
        std::memcpy(b, &values[i], sizeof(T));
        for (std::size_t k = 0; k < sizeof(T); ++k)
            out[i * sizeof(T) + k] = char(b[bigEndian ? sizeof(T) - 1 - k : k]);
    }
    return out;
}

inline void WriteBytes(const std::filesystem::path& p, const std::string& bytes)
{
    std::ofstream(p, std::ios::binary).write(bytes.data(), std::streamsize(bytes.size()));
}

template <typename T>
CString WriteRaw(const std::filesystem::path& p, const std::vector<T>& values, bool bigEndian = false)
{
    WriteBytes(p, Bytes(values, bigEndian));
    return W(p);
}

inline std::string ReadBytes(const std::filesystem::path& p)
{
    std::ifstream in(p, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

template <typename T>
std::vector<T> ReadRawValues(const std::filesystem::path& p)
{
    const std::string bytes = ReadBytes(p);
    std::vector<T> values(bytes.size() / sizeof(T));
    std::memcpy(values.data(), bytes.data(), values.size() * sizeof(T));
    return values;
}

// p reads little-endian w x h files of pixelType (0: unsigned 16-bit).
template <typename Para>
void LittleEndianInput(Para& p, int w, int h, int pixelType = 0)
{
    p.InImaW = w;
    p.InImaH = h;
    p.InImaPixelType = pixelType;
    p.bLittleEndian = 1;
}

// File names of a folder, sorted.
inline std::vector<std::string> Names(const std::filesystem::path& dir)
{
    std::vector<std::string> names;
    for (const auto& e : std::filesystem::directory_iterator(dir))
        names.push_back(e.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Records what a job reports; safe from any thread.
class RecordingFeedback : public JobFeedback {
public:
    void SetRange(int maximum) override
    {
        std::lock_guard lock(mutex);
        ranges.push_back(maximum);
    }
    void SetPosition(int position) override
    {
        std::lock_guard lock(mutex);
        positions.push_back(position);
        if (onPosition)
            onPosition(position);
    }
    void Message(const CString& text) override
    {
        std::lock_guard lock(mutex);
        messages.push_back(text);
    }
    bool Said(const CString& start) const
    {
        for (const CString& m : messages)
            if (m.rfind(start, 0) == 0)
                return true;
        return false;
    }

    std::mutex mutex;
    std::vector<int> ranges;
    std::vector<int> positions;
    std::vector<CString> messages;
    std::function<void(int)> onPosition;
};

// Answers every message box while it lives and keeps the texts; safe from
// any thread.
class MessageRecorder {
public:
    MessageRecorder()
    {
        plat::setMessageBoxResponder([this](const std::wstring& text, const std::wstring&, unsigned) {
            std::lock_guard lock(mutex);
            texts.push_back(text);
            return plat::IDOK;
        });
    }
    ~MessageRecorder() { plat::setMessageBoxResponder({}); }
    MessageRecorder(const MessageRecorder&) = delete;
    MessageRecorder& operator=(const MessageRecorder&) = delete;

    std::vector<std::wstring> Texts()
    {
        std::lock_guard lock(mutex);
        return texts;
    }

private:
    std::mutex mutex;
    std::vector<std::wstring> texts;
};

} // namespace cttest
