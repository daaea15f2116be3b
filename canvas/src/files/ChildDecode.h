#pragma once

#include "DecodedPicture.h"

#include <cstdint>
#include <functional>

// Runs a decoder in a forked child process and brings its picture back
// through a pipe. Some decoding libraries stop the whole process with an
// assertion on a malformed file; in a child that takes only the child down,
// and the caller gets failure instead. The child shares the parent's memory
// copy-on-write, so the input bytes are not copied.
class ChildDecode {
public:
    // failure is the message when the child dies or says nothing. The
    // child may take budget bytes of address space beyond what it starts
    // with: a library that trusts a hostile length fails to allocate
    // instead of filling the machine's memory.
    static DecodedPicture Run(const std::function<DecodedPicture()>& decode, const CString& failure,
                              std::uint64_t budget);
};
