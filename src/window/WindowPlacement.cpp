#include "window/WindowPlacement.h"

#include <algorithm>

namespace {

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

std::optional<ScreenPoint> PlaceOnScreen(ScreenPoint stored, long long width, long long height,
                                         const std::vector<ScreenRect>& workAreas)
{
    const ScreenRect window{stored.x, stored.y, stored.x + width, stored.y + height};
    const ScreenRect* nearest = nullptr;
    long long best = 0;
    for (const ScreenRect& area : workAreas) {
        const long long overlap = OverlapArea(window, area);
        if (overlap > best) {
            best = overlap;
            nearest = &area;
        }
    }
    if (!nearest)
        return std::nullopt;
    return ScreenPoint{Clamp(stored.x, width, nearest->left, nearest->right),
                       Clamp(stored.y, height, nearest->top, nearest->bottom)};
}
