#pragma once
// Counts every heap allocation of the program that includes it (include it in one file only:
// it replaces the global operator new).
#include <atomic>
#include <cstdlib>
#include <new>

inline std::atomic<long> allocations {0};

void* operator new(std::size_t size)
{
    allocations.fetch_add(1, std::memory_order_relaxed);
    if (void* p = std::malloc(size ? size : 1))
        return p;
    throw std::bad_alloc();
}
void operator delete(void* p) noexcept { std::free(p); }
void operator delete(void* p, std::size_t) noexcept { std::free(p); }
