#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include <tiffio.h>

// A TIFF handle over bytes in memory: libtiff reads from a given buffer or
// writes into a growing one, and never opens a file itself. libtiff's
// complaints are collected instead of printed.
class TiffMemory {
public:
    // Reading size bytes at data; they must outlive the object.
    TiffMemory(const std::uint8_t* data, std::size_t size);
    // Writing into Bytes().
    TiffMemory();
    ~TiffMemory();
    TiffMemory(const TiffMemory&) = delete;
    TiffMemory& operator=(const TiffMemory&) = delete;

    // The open handle, or null (with Error() saying why).
    TIFF* Handle() const { return tiff; }
    // Flushes and closes a writer; false when libtiff failed on the way.
    bool Close();

    const std::vector<std::uint8_t>& Bytes() const { return written; }
    // The first error libtiff reported; empty when none.
    const std::string& Error() const { return error; }

private:
    static tsize_t Read(thandle_t self, tdata_t buffer, tsize_t size);
    static tsize_t Write(thandle_t self, tdata_t buffer, tsize_t size);
    static toff_t Seek(thandle_t self, toff_t offset, int whence);
    static int CloseProc(thandle_t self);
    static toff_t Size(thandle_t self);
    static int Map(thandle_t self, tdata_t* base, toff_t* size);
    static void Unmap(thandle_t self, tdata_t base, toff_t size);
    static int OnError(TIFF*, void* self, const char* module, const char* format, va_list args);
    static int OnWarning(TIFF*, void* self, const char* module, const char* format, va_list args);

    void Open(const char* mode);
    std::size_t Length() const { return source ? sourceSize : written.size(); }

    const std::uint8_t* source = nullptr;
    std::size_t sourceSize = 0;
    std::vector<std::uint8_t> written;
    std::uint64_t position = 0;
    TIFF* tiff = nullptr;
    std::string error;
};
