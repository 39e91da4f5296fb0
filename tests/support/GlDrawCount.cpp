// The test programs' own glDrawArrays and glDrawElements: each call is counted and handed on to
// the GL library's. A definition in the executable comes first in the dynamic linker's search,
// so SFML's calls into the library arrive here as well.
#include "support/GlDrawCount.h"

#include <dlfcn.h>

#include <atomic>

namespace {
std::atomic<long> drawCalls{0};

template <typename Function>
Function libraryOwn(const char* name)
{
    return reinterpret_cast<Function>(dlsym(RTLD_NEXT, name));
}
} // namespace

long testsupport::glDrawCalls()
{
    return drawCalls.load();
}

extern "C" {

void glDrawArrays(unsigned mode, int first, int count)
{
    static const auto own = libraryOwn<void (*)(unsigned, int, int)>("glDrawArrays");
    ++drawCalls;
    own(mode, first, count);
}

void glDrawElements(unsigned mode, int count, unsigned type, const void* indices)
{
    static const auto own = libraryOwn<void (*)(unsigned, int, unsigned, const void*)>("glDrawElements");
    ++drawCalls;
    own(mode, count, type, indices);
}

} // extern "C"
