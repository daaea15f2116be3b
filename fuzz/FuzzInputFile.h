#pragma once

#include "pixorama/platform/Modal.h"

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

// The readers under test take paths, so every input is written to one
// temporary file per process first. Message boxes are answered at once.
class FuzzInputFile {
public:
    explicit FuzzInputFile(const char* suffix)
    {
        path = "/tmp/pixorama-fuzz-" + std::to_string(::getpid()) + suffix;
        plat::setMessageBoxResponder([](const std::wstring&, const std::wstring&, unsigned) { return plat::IDOK; });
    }
    ~FuzzInputFile() { std::remove(path.c_str()); }

    const char* write(const std::uint8_t* data, std::size_t size)
    {
        if (FILE* f = std::fopen(path.c_str(), "wb")) {
            if (size > 0)
                std::fwrite(data, 1, size, f);
            std::fclose(f);
        }
        return path.c_str();
    }

    std::string path;
};
