#include "framework/ProfileFile.h"

#include "framework/Handles.h"
#include "framework/Unicode.h"

#include <windows.h>

namespace {

bool Failed(unsigned long* error)
{
    if (error)
        *error = GetLastError();
    return false;
}

bool WriteAll(HANDLE file, const std::string& bytes)
{
    DWORD written = 0;
    return WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) &&
           written == bytes.size() && SetEndOfFile(file) && FlushFileBuffers(file);
}

DWORD LinksOf(const WideString& path)
{
    const FileHandle file(CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      0, nullptr));
    BY_HANDLE_FILE_INFORMATION facts = {};
    if (!file || !GetFileInformationByHandle(file.Get(), &facts))
        return 0;
    return facts.nNumberOfLinks;
}

}  // namespace

std::optional<std::string> ReadFileBytes(const std::string& path, unsigned long* error)
{
    // Sharing everything: a reader never keeps the running copy from putting a new file in place.
    const FileHandle file(CreateFileW(Wide(path).c_str(), GENERIC_READ,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    LARGE_INTEGER size = {};
    if (!file || !GetFileSizeEx(file.Get(), &size)) {
        Failed(error);
        return std::nullopt;
    }
    if (size.QuadPart > 64 * 1024 * 1024) {  // no profile is this large: not one to read into memory
        if (error)
            *error = ERROR_FILE_TOO_LARGE;
        return std::nullopt;
    }
    std::string bytes(static_cast<std::size_t>(size.QuadPart), '\0');
    DWORD read = 0;
    if (!bytes.empty() && (!ReadFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &read, nullptr) ||
                           read != bytes.size())) {
        Failed(error);
        return std::nullopt;
    }
    return bytes;
}

bool WriteFileBytes(const std::string& path, const std::string& bytes, unsigned long* error)
{
    const WideString wide = Wide(path);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    const bool exists = attributes != INVALID_FILE_ATTRIBUTES;
    // A symbolic link would be replaced by a plain file, a hard link would lose the content.
    if (exists && ((attributes & FILE_ATTRIBUTE_REPARSE_POINT) || LinksOf(wide) > 1)) {
        const FileHandle file(CreateFileW(wide.c_str(), GENERIC_WRITE, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                          FILE_ATTRIBUTE_NORMAL, nullptr));
        return (file && WriteAll(file.Get(), bytes)) || Failed(error);
    }

    const WideString temporary = wide + Wide(".velquin-" + std::to_string(GetCurrentProcessId()) + ".tmp");
    {
        // The new file looks as the old one did: hidden stays hidden.
        const DWORD kept = exists ? attributes & (FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM) : 0;
        const FileHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                          kept ? kept : FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file)
            return Failed(error);
        if (!WriteAll(file.Get(), bytes)) {
            Failed(error);
            DeleteFileW(temporary.c_str());
            return false;
        }
    }
    if (MoveFileExW(temporary.c_str(), wide.c_str(), MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        return true;
    Failed(error);
    DeleteFileW(temporary.c_str());
    return false;
}
