// Makes operator new fail on demand, to reach the out-of-memory paths.
#pragma once

#include <cstddef>

// While it lives, every allocation of at least minimumSize bytes throws std::bad_alloc.
class AllocationFailure {
public:
    explicit AllocationFailure(std::size_t minimumSize);
    ~AllocationFailure();
};
