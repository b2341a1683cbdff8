#include "window/WindowPlacement.h"

#include "settings/ProfileLayout.h"

#include <algorithm>
#include <limits>

namespace {

// No window's place: a value the profile does not hold reads as this.
constexpr int kMissing = std::numeric_limits<int>::min();

long long OverlapArea(const ScreenRect& a, const ScreenRect& b)
{
    const long long width = std::min(a.right, b.right) - std::max(a.left, b.left);
    const long long height = std::min(a.bottom, b.bottom) - std::max(a.top, b.top);
    return width > 0 && height > 0 ? width * height : 0;
}

// Moves [start, start + size) inside [low, high); a window larger than the area keeps its start at low.
long long Clamp(long long start, long long size, long long low, long long high)
{
    return std::max(low, std::min(start, high - size));
}

}  // namespace

ScreenRect WorkspaceArea(const MonitorArea& monitor)
{
    const long long left = monitor.whole.left, top = monitor.whole.top;
    return {left, top, left + monitor.work.right - monitor.work.left, top + monitor.work.bottom - monitor.work.top};
}

std::optional<ScreenPoint> PlaceOnScreen(ScreenPoint stored, long long width, long long height,
                                         const std::vector<MonitorArea>& monitors)
{
    const ScreenRect window{stored.x, stored.y, stored.x + width, stored.y + height};
    std::optional<ScreenRect> nearest;
    long long best = 0;
    for (const MonitorArea& monitor : monitors) {
        const ScreenRect area = WorkspaceArea(monitor);
        const long long overlap = OverlapArea(window, area);
        if (overlap > best) {
            best = overlap;
            nearest = area;
        }
    }
    if (!nearest)
        return std::nullopt;
    return ScreenPoint{Clamp(stored.x, width, nearest->left, nearest->right),
                       Clamp(stored.y, height, nearest->top, nearest->bottom)};
}

std::optional<ScreenPoint> StoredPlace(const ProfileStore& profile)
{
    const int left = profile.ReadInt(profile::kWindow, profile::kLeft, kMissing);
    const int top = profile.ReadInt(profile::kWindow, profile::kTop, kMissing);
    if (left == kMissing || top == kMissing)
        return std::nullopt;
    return ScreenPoint{left, top};
}
