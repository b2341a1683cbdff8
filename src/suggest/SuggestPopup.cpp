#include "suggest/SuggestPopup.h"

#include "framework/App.h"
#include "framework/Controls.h"
#include "framework/Unicode.h"
#include "suggest/SuggestList.h"

namespace {

constexpr wchar_t kFrameClass[] = L"VelquinSuggestions";

SuggestPopup* PopupOf(HWND window)
{
    return reinterpret_cast<SuggestPopup*>(GetWindowLongPtrW(window, GWLP_USERDATA));
}

ScreenRect RectOf(const RECT& r)
{
    return {r.left, r.top, r.right, r.bottom};
}

int FontHeight(HWND window, HFONT font)
{
    const HDC dc = GetDC(window);
    const HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics = {};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return metrics.tmHeight;
}

}  // namespace

bool SuggestPopup::Create(HWND owner)
{
    static bool registered = false;
    if (!registered) {
        WNDCLASSEXW type = {};
        type.cbSize = sizeof(type);
        type.lpfnWndProc = FrameProc;
        type.hInstance = App::Instance();
        type.hCursor = LoadCursorW(nullptr, reinterpret_cast<LPCWSTR>(IDC_ARROW));
        type.lpszClassName = kFrameClass;
        registered = RegisterClassExW(&type) != 0;
    }
    frame_.Reset(CreateWindowExW(WS_EX_NOACTIVATE | WS_EX_TOOLWINDOW, kFrameClass, L"", WS_POPUP | WS_BORDER, 0, 0,
                                 0, 0, owner, nullptr, App::Instance(), this));
    if (!frame_)
        return false;
    list_ = CreateWindowExW(0, L"LISTBOX", L"Suggestions",
                            WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_HASSTRINGS | LBS_NOINTEGRALHEIGHT, 0, 0,
                            0, 0, frame_.Get(), nullptr, App::Instance(), nullptr);
    if (!list_) {
        frame_.Reset();
        return false;
    }
    SetWindowLongPtrW(list_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    listProc_ = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(list_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&SuggestPopup::ListProc)));
    return true;
}

void SuggestPopup::Show(HWND owner, HWND box, std::vector<Line> lines)
{
    if (!frame_ && !Create(owner))
        return;
    KillTimer(frame_.Get(), 1);  // a click's pending close is for the lines before
    lines_ = std::move(lines);
    // The font and the line height change with the dots per inch only: measured once for each.
    const int dpi = WindowDpi(owner);
    const auto font = reinterpret_cast<HFONT>(SendMessageW(box, WM_GETFONT, 0, 0));
    SendMessageW(list_, WM_SETREDRAW, FALSE, 0);
    if (font != font_ || dpi != dpi_ || lineHeight_ == 0) {
        font_ = font;
        dpi_ = dpi;
        lineHeight_ = SuggestionLineHeight(dpi_, FontHeight(list_, font_));
        // The plain icon at the lines' size: drawing it stretched at every paint costs more than the copy.
        const int size = SuggestionIconSize(dpi_);
        defaultIcon_.Reset(static_cast<HICON>(
            CopyImage(LoadIconW(nullptr, reinterpret_cast<LPCWSTR>(IDI_APPLICATION)), IMAGE_ICON, size, size, 0)));
        SendMessageW(list_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        sourceWidths_.clear();
        SendMessageW(list_, LB_SETITEMHEIGHT, 0, lineHeight_);
    }
    const int lineHeight = lineHeight_;
    SendMessageW(list_, LB_RESETCONTENT, 0, 0);
    for (const Line& line : lines_)
        SendMessageW(list_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(Wide(line.name + "\t" + line.source).c_str()));
    SendMessageW(list_, WM_SETREDRAW, TRUE, 0);

    RECT boxRect = {};
    GetWindowRect(box, &boxRect);
    MONITORINFO monitor = {};
    monitor.cbSize = sizeof(monitor);
    GetMonitorInfoW(MonitorFromWindow(box, MONITOR_DEFAULTTONEAREST), &monitor);
    const long long border = 2 * GetSystemMetrics(SM_CYBORDER);
    const ScreenRect place = PlaceSuggestionList(
        RectOf(boxRect), RectOf(monitor.rcWork), static_cast<long long>(lineHeight) * lines_.size() + border);
    const int width = static_cast<int>(place.right - place.left);
    const int height = static_cast<int>(place.bottom - place.top);
    // Moving a window is costly under some systems: a list that stays where it is only paints again.
    RECT shown = {};
    GetWindowRect(frame_.Get(), &shown);
    const bool moves = RectOf(shown) != place || !IsWindowVisible(frame_.Get());
    if (moves) {
        SetWindowPos(frame_.Get(), nullptr, static_cast<int>(place.left), static_cast<int>(place.top), width, height,
                     SWP_NOACTIVATE | SWP_NOZORDER | SWP_SHOWWINDOW);
        RECT inside = {};
        GetClientRect(frame_.Get(), &inside);
        SetWindowPos(list_, nullptr, 0, 0, inside.right, inside.bottom, SWP_NOACTIVATE | SWP_NOZORDER);
    }
    InvalidateRect(list_, nullptr, TRUE);
}

void SuggestPopup::Hide()
{
    if (!frame_)
        return;
    KillTimer(frame_.Get(), 1);
    ShowWindow(frame_.Get(), SW_HIDE);
}

bool SuggestPopup::Visible() const
{
    return frame_ && IsWindowVisible(frame_.Get());
}

void SuggestPopup::Highlight(int line)
{
    if (!list_)
        return;
    SendMessageW(list_, LB_SETCURSEL, static_cast<WPARAM>(line), 0);
    if (line >= 0) {
        NotifyWinEvent(EVENT_OBJECT_SELECTION, list_, OBJID_CLIENT, line + 1);
        NotifyWinEvent(EVENT_OBJECT_FOCUS, list_, OBJID_CLIENT, line + 1);
    }
}

void SuggestPopup::SetIcon(std::size_t line, HICON icon)
{
    if (line >= lines_.size() || lines_[line].icon == icon)
        return;
    lines_[line].icon = icon;
    RECT r = {};
    if (SendMessageW(list_, LB_GETITEMRECT, line, reinterpret_cast<LPARAM>(&r)) != LB_ERR)
        InvalidateRect(list_, &r, FALSE);
}

void SuggestPopup::Draw(const DRAWITEMSTRUCT& item) const
{
    if (item.itemID == static_cast<UINT>(-1) || item.itemID >= lines_.size())
        return;
    const Line& line = lines_[item.itemID];
    const bool selected = (item.itemState & ODS_SELECTED) != 0;
    const HDC dc = item.hDC;
    RECT r = item.rcItem;
    FillRect(dc, &r, GetSysColorBrush(selected ? COLOR_HIGHLIGHT : COLOR_WINDOW));
    const int pad = MulDiv(4, dpi_, 96);
    const int icon = SuggestionIconSize(dpi_);
    DrawIconEx(dc, r.left + pad, r.top + (r.bottom - r.top - icon) / 2, line.icon ? line.icon : defaultIcon_.Get(), icon,
               icon, 0, nullptr, DI_NORMAL);
    r.left += 2 * pad + icon;
    r.right -= pad;
    const HGDIOBJ old = SelectObject(dc, font_);
    SetBkMode(dc, TRANSPARENT);
    const WideString source = Wide(line.source);
    const int sourceWidth = SourceWidth(dc, line.source, source);
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_GRAYTEXT));
    DrawTextW(dc, source.c_str(), -1, &r, DT_RIGHT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
    r.right -= sourceWidth + pad;
    SetTextColor(dc, GetSysColor(selected ? COLOR_HIGHLIGHTTEXT : COLOR_WINDOWTEXT));
    DrawTextW(dc, Wide(line.name).c_str(), -1, &r,
              DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX | DT_PATH_ELLIPSIS);
    SelectObject(dc, old);
}

int SuggestPopup::SourceWidth(HDC dc, const std::string& source, const WideString& wide) const
{
    for (const auto& [known, width] : sourceWidths_) {
        if (known == source)
            return width;
    }
    SIZE size = {};
    GetTextExtentPoint32W(dc, wide.c_str(), static_cast<int>(wide.size()), &size);
    sourceWidths_.emplace_back(source, size.cx);
    return size.cx;
}

LRESULT CALLBACK SuggestPopup::FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_NCCREATE) {
        const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
        SetWindowLongPtrW(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
    }
    SuggestPopup* popup = PopupOf(window);
    switch (message) {
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_TIMER:
        KillTimer(window, wParam);
        if (popup && popup->clicks_.settled)
            popup->clicks_.settled();
        return 0;
    case WM_NCDESTROY:
        // Destroyed with its owner, the main window: nothing is left to destroy later.
        if (popup) {
            popup->frame_.Release();
            popup->list_ = nullptr;
        }
        return DefWindowProcW(window, message, wParam, lParam);
    case WM_DRAWITEM:
        if (popup)
            popup->Draw(*reinterpret_cast<const DRAWITEMSTRUCT*>(lParam));
        return TRUE;
    default: return DefWindowProcW(window, message, wParam, lParam);
    }
}

LRESULT CALLBACK SuggestPopup::ListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    SuggestPopup* popup = PopupOf(window);
    switch (message) {
    case WM_MOUSEACTIVATE: return MA_NOACTIVATE;
    case WM_LBUTTONDOWN:
    case WM_LBUTTONDBLCLK: {
        // The list box would take the focus: the click is decided here.
        const LRESULT hit = SendMessageW(window, LB_ITEMFROMPOINT, 0, lParam);
        const int line = HIWORD(hit) == 0 ? LOWORD(hit) : -1;
        if (line < 0)
            return 0;
        const HWND frame = GetParent(window);
        if (message == WM_LBUTTONDOWN) {
            SetTimer(frame, 1, GetDoubleClickTime(), nullptr);
            if (popup->clicks_.click)
                popup->clicks_.click(line);
        } else {
            KillTimer(frame, 1);
            if (popup->clicks_.doubleClick)
                popup->clicks_.doubleClick(line);
        }
        return 0;
    }
    default: return CallWindowProcW(popup->listProc_, window, message, wParam, lParam);
    }
}
