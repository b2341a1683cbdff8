// Places and sizes on the screen, in pixels, apart from any window.
#pragma once

struct ScreenRect {
    long long left = 0;
    long long top = 0;
    long long right = 0;
    long long bottom = 0;

    bool operator==(const ScreenRect& other) const
    {
        return left == other.left && top == other.top && right == other.right && bottom == other.bottom;
    }
    bool operator!=(const ScreenRect& other) const { return !(*this == other); }
};

struct ScreenPoint {
    long long x = 0;
    long long y = 0;
};
