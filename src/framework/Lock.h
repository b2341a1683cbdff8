// A critical section for data that threads share, and its holder for one scope.
#pragma once

#include <windows.h>

class Lock {
public:
    Lock() { InitializeCriticalSection(&section_); }
    ~Lock() { DeleteCriticalSection(&section_); }
    Lock(const Lock&) = delete;
    Lock& operator=(const Lock&) = delete;
    CRITICAL_SECTION& Section() { return section_; }

private:
    CRITICAL_SECTION section_;
};

class Locked {
public:
    explicit Locked(Lock& lock) : section_(lock.Section()) { EnterCriticalSection(&section_); }
    ~Locked() { LeaveCriticalSection(&section_); }
    Locked(const Locked&) = delete;
    Locked& operator=(const Locked&) = delete;

private:
    CRITICAL_SECTION& section_;
};
