#include "app/InstanceGuard.h"

namespace {

constexpr unsigned long kAlreadyExists = 183;  // ERROR_ALREADY_EXISTS
constexpr unsigned long kAccessDenied = 5;     // ERROR_ACCESS_DENIED
constexpr const char* kHexDigits = "0123456789abcdef";

// FNV-1a: a short name for a long identity.
unsigned long FolderHash(const std::string& folderIdentity)
{
    unsigned long hash = 2166136261ul;
    for (unsigned char c : folderIdentity)
        hash = ((hash ^ c) * 16777619ul) & 0xFFFFFFFFul;
    return hash;
}

}  // namespace

bool AnotherCopyRuns(unsigned long lastError)
{
    return lastError == kAlreadyExists || lastError == kAccessDenied;
}

std::string PortableGuardName(const std::string& folderIdentity)
{
    std::string name = std::string(kInstanceGuardName) + " in ";
    for (int shift = 28; shift >= 0; shift -= 4)
        name += kHexDigits[(FolderHash(folderIdentity) >> shift) & 0xF];
    return name;
}

unsigned long CopyMark(const std::string& folderIdentity)
{
    return FolderHash(folderIdentity) | 1;
}
