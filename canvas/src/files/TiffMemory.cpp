#include "TiffMemory.h"

#include "PictureProbe.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstring>

TiffMemory::TiffMemory(const std::uint8_t* data, std::size_t size)
    : source(data), sourceSize(size)
{
    Open("r");
}

TiffMemory::TiffMemory()
{
    Open("w");
}

TiffMemory::~TiffMemory()
{
    if (tiff)
        TIFFClose(tiff);
}

void TiffMemory::Open(const char* mode)
{
    TIFFOpenOptions* options = TIFFOpenOptionsAlloc();
    TIFFOpenOptionsSetErrorHandlerExtR(options, OnError, this);
    TIFFOpenOptionsSetWarningHandlerExtR(options, OnWarning, this);
    // A hostile strip or tile size must not reach the allocator.
    const std::uint64_t cap = std::min<std::uint64_t>(PictureProbe::AvailableMemory() / 2, std::uint64_t(1) << 31);
    TIFFOpenOptionsSetMaxSingleMemAlloc(options, tmsize_t(cap));
    tiff = TIFFClientOpenExt("memory", mode, this, Read, Write, Seek, CloseProc, Size, Map, Unmap, options);
    TIFFOpenOptionsFree(options);
}

bool TiffMemory::Close()
{
    if (!tiff)
        return false;
    TIFFClose(tiff);
    tiff = nullptr;
    return error.empty();
}

tsize_t TiffMemory::Read(thandle_t self, tdata_t buffer, tsize_t size)
{
    auto* m = static_cast<TiffMemory*>(self);
    if (!m->source || size < 0 || m->position >= m->sourceSize)
        return 0;
    const std::size_t n = std::min<std::size_t>(std::size_t(size), m->sourceSize - m->position);
    std::memcpy(buffer, m->source + m->position, n);
    m->position += n;
    return tsize_t(n);
}

tsize_t TiffMemory::Write(thandle_t self, tdata_t buffer, tsize_t size)
{
    auto* m = static_cast<TiffMemory*>(self);
    if (m->source || size < 0)
        return 0;
    const std::size_t end = std::size_t(m->position) + std::size_t(size);
    if (end > m->written.size())
        m->written.resize(end);
    std::memcpy(m->written.data() + m->position, buffer, std::size_t(size));
    m->position = end;
    return size;
}

toff_t TiffMemory::Seek(thandle_t self, toff_t offset, int whence)
{
    auto* m = static_cast<TiffMemory*>(self);
    std::uint64_t base = 0;
    if (whence == SEEK_CUR)
        base = m->position;
    else if (whence == SEEK_END)
        base = m->Length();
    m->position = base + offset;
    return m->position;
}

int TiffMemory::CloseProc(thandle_t)
{
    return 0;
}

toff_t TiffMemory::Size(thandle_t self)
{
    return static_cast<TiffMemory*>(self)->Length();
}

// Reading maps the buffer itself, so uncompressed strips are not copied.
int TiffMemory::Map(thandle_t self, tdata_t* base, toff_t* size)
{
    auto* m = static_cast<TiffMemory*>(self);
    if (!m->source)
        return 0;
    *base = const_cast<std::uint8_t*>(m->source);
    *size = m->sourceSize;
    return 1;
}

void TiffMemory::Unmap(thandle_t, tdata_t, toff_t) {}

int TiffMemory::OnError(TIFF*, void* self, const char* module, const char* format, va_list args)
{
    auto* m = static_cast<TiffMemory*>(self);
    if (m->error.empty()) {
        char text[512];
        std::vsnprintf(text, sizeof text, format, args);
        m->error = std::string(module ? module : "") + (module ? ": " : "") + text;
    }
    return 1;
}

int TiffMemory::OnWarning(TIFF*, void*, const char*, const char*, va_list)
{
    return 1;
}
