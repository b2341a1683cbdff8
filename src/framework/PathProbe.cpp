#include "framework/PathProbe.h"

namespace {

constexpr unsigned long kJunction = 0xA0000003;      // IO_REPARSE_TAG_MOUNT_POINT
constexpr unsigned long kSymbolicLink = 0xA000000C;  // IO_REPARSE_TAG_SYMLINK

}  // namespace

std::optional<std::u16string> ReparseTarget(const unsigned char* data, std::size_t size)
{
    if (size < 20)
        return std::nullopt;
    const auto word = [&](std::size_t at) { return static_cast<std::size_t>(data[at] | data[at + 1] << 8); };
    const unsigned long tag = static_cast<unsigned long>(word(0) | word(2) << 16);
    // After the tag and the data's length: the names' offsets and lengths, a symbolic link's flags, the names.
    std::size_t names = 0;
    if (tag == kJunction)
        names = 16;
    else if (tag == kSymbolicLink)
        names = 20;
    else
        return std::nullopt;
    const std::size_t offset = names + word(8), length = word(10);
    if (offset + length > size || length % 2)
        return std::nullopt;
    std::u16string target;
    for (std::size_t at = offset; at < offset + length; at += 2)
        target += static_cast<char16_t>(word(at));
    return target;
}
