#include "FailingAllocator.h"

#include <cstdlib>
#include <new>

namespace {

std::size_t g_failFrom = 0;  // 0: allocations succeed

void* Allocate(std::size_t size)
{
    if (g_failFrom != 0 && size >= g_failFrom)
        throw std::bad_alloc();
    if (void* memory = std::malloc(size ? size : 1))
        return memory;
    throw std::bad_alloc();
}

}  // namespace

AllocationFailure::AllocationFailure(std::size_t minimumSize)
{
    g_failFrom = minimumSize;
}

AllocationFailure::~AllocationFailure()
{
    g_failFrom = 0;
}

void* operator new(std::size_t size)
{
    return Allocate(size);
}

void* operator new[](std::size_t size)
{
    return Allocate(size);
}

void operator delete(void* memory) noexcept
{
    std::free(memory);
}

void operator delete[](void* memory) noexcept
{
    std::free(memory);
}

void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

void operator delete[](void* memory, std::size_t) noexcept
{
    std::free(memory);
}
