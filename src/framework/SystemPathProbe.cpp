#include "framework/SystemPathProbe.h"

#include "framework/Handles.h"
#include "framework/Unicode.h"

#include <winioctl.h>

#include <vector>

bool SystemPathProbe::IsRemoteDrive(const std::string& root)
{
    return GetDriveTypeW(Wide(root).c_str()) == DRIVE_REMOTE;
}

std::optional<std::string> SystemPathProbe::LinkTarget(const std::string& path)
{
    const WideString wide = Wide(path);
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || !(attributes & FILE_ATTRIBUTE_REPARSE_POINT))
        return std::nullopt;
    // The link itself is read, not followed: what it points to may be a share that does not answer.
    const FileHandle link(CreateFileW(wide.c_str(), 0, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                      OPEN_EXISTING, FILE_FLAG_OPEN_REPARSE_POINT | FILE_FLAG_BACKUP_SEMANTICS,
                                      nullptr));
    if (!link)
        return std::nullopt;
    std::vector<unsigned char> buffer(MAXIMUM_REPARSE_DATA_BUFFER_SIZE);
    DWORD size = 0;
    if (!DeviceIoControl(link.Get(), FSCTL_GET_REPARSE_POINT, nullptr, 0, buffer.data(),
                         static_cast<DWORD>(buffer.size()), &size, nullptr))
        return std::nullopt;
    const std::optional<std::u16string> target = ReparseTarget(buffer.data(), size);
    if (!target)
        return std::nullopt;
    return Utf8(reinterpret_cast<const wchar_t*>(target->data()), static_cast<int>(target->size()));
}
