#pragma once

// Checks a programmer's invariant in debug builds (an impossible state, a
// broken promise between two pieces of code): a broken one stops the program
// and says, in the sentence given, what went wrong. What a user can cause
// (bad files, bad answers) is never asserted: it gets a message instead.
#ifdef NDEBUG
#define PIX_ASSERT(condition, sentence) ((void)sizeof((condition) ? 1 : 0))
#else
#define PIX_ASSERT(condition, sentence) \
    ((condition) ? (void)0 : ::plat::assertionFailed(#condition, sentence, __FILE__, __LINE__))
#endif

namespace plat {

// Writes "file:line: sentence (condition)" to the error output and aborts.
[[noreturn]] void assertionFailed(const char* condition, const char* sentence, const char* file, int line);

} // namespace plat
