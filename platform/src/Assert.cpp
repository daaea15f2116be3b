#include "pixorama/platform/Assert.h"

#include <cstdio>
#include <cstdlib>

namespace plat {

void assertionFailed(const char* condition, const char* sentence, const char* file, int line)
{
    std::fprintf(stderr, "%s:%d: %s (%s)\n", file, line, sentence, condition);
    std::fflush(stderr);
    std::abort();
}

} // namespace plat
