// An object shared between threads. Made in two allocations rather than with make_shared, whose one
// allocation asks for type information that the program does not keep: a function and its lock guard of the
// C++ library would come along.
#pragma once

#include <memory>
#include <utility>

template <typename Type, typename... Arguments>
std::shared_ptr<Type> MakeShared(Arguments&&... arguments)
{
    return std::shared_ptr<Type>(std::make_unique<Type>(std::forward<Arguments>(arguments)...));
}
