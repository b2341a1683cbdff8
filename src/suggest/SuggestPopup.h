// The suggestion list's window: a list box in a popup under the box, owned by the main window. It never
// takes the focus or the activation, so typing stays in the box: its clicks are handled here, not by the
// list box. Its lines are "name<tab>source", for assistive tools and LB_GETTEXT.
#pragma once

#include "framework/Handles.h"
#include "framework/Unicode.h"

#include <functional>
#include <string>
#include <vector>

class SuggestPopup {
public:
    struct Line {
        std::string name;
        std::string source;
        HICON icon = nullptr;  // not owned; null for the default
    };

    // A click fills the box; once no second click can make it a double-click, `settled` closes the list.
    struct Clicks {
        std::function<void(int line)> click;
        std::function<void(int line)> doubleClick;
        std::function<void()> settled;
    };

    explicit SuggestPopup(Clicks clicks) : clicks_(std::move(clicks)) {}
    ~SuggestPopup() { frame_.Reset(); }  // while the list's procedure can still reach this
    SuggestPopup(const SuggestPopup&) = delete;
    SuggestPopup& operator=(const SuggestPopup&) = delete;

    // Shows the lines against the box, in the owner's font and dots per inch; the window is made the first
    // time. No line highlighted.
    void Show(HWND owner, HWND box, std::vector<Line> lines);
    void Hide();
    bool Visible() const;
    // -1 for none. Assistive tools hear of it.
    void Highlight(int line);
    void SetIcon(std::size_t line, HICON icon);
    HWND List() const { return list_; }

private:
    static LRESULT CALLBACK FrameProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ListProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
    bool Create(HWND owner);
    void Draw(const DRAWITEMSTRUCT& item) const;
    // The grey words ("History"...) are few: each is measured once in the font.
    int SourceWidth(HDC dc, const std::string& source, const WideString& wide) const;

    Clicks clicks_;
    UniqueHandle<WindowTraits> frame_;
    HWND list_ = nullptr;
    WNDPROC listProc_ = nullptr;
    std::vector<Line> lines_;
    HFONT font_ = nullptr;  // the box's
    int dpi_ = 96;
    int lineHeight_ = 0;  // for the font at the dots per inch
    mutable std::vector<std::pair<std::string, int>> sourceWidths_;

    UniqueHandle<IconTraits> defaultIcon_;  // the system's, at the lines' size
};
