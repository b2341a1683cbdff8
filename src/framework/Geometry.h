// Places and sizes on the screen, in pixels, apart from any window.
#pragma once

struct ScreenRect {
    long long left = 0;
    long long top = 0;
    long long right = 0;
    long long bottom = 0;
};

struct ScreenPoint {
    long long x = 0;
    long long y = 0;
};
