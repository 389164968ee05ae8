// Where the table puts each control at a dpi, and how the window's fonts lay
// text out, read back from the running window.
#pragma once

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "tests/win32/brevorn.h"

namespace win32 {

// Where `text` starts and ends in `box` as the box lays it out, its last two
// characters being digits, which are all one width.
struct Span {
    int left, right;
};

inline RECT scaled(const form::Twips& area, int dpi) {
    const auto px = [dpi](int twips) { return MulDiv(twips, dpi, form::kTwipsPerInch); };
    return {px(area.left), px(area.top), px(area.left) + px(area.width),
            px(area.top) + px(area.height)};
}

// Not concatenated: GCC 12 warns of an overlap in that, wrongly (-Wrestrict).
inline std::string show(const RECT& r) {
    char text[64];
    std::snprintf(text, sizeof text, "(%ld,%ld)-(%ld,%ld)", r.left, r.top, r.right, r.bottom);
    return text;
}

// Whether the control's style centres its text across: each kind of control
// has a style bit of its own for it.
inline bool centred(HWND control, form::Kind kind) {
    const auto style = GetWindowLongPtrW(control, GWL_STYLE);
    switch (kind) {
        case form::Kind::label:
            return (style & SS_TYPEMASK) == SS_CENTER;
        case form::Kind::textBox:
            return (style & (ES_CENTER | ES_RIGHT)) == ES_CENTER;
        case form::Kind::button:
            break;
    }
    return (style & BS_CENTER) == BS_CENTER;
}

// Every control where the table puts it at `dpi`, with its caption and alignment.
inline void controlsAt(const Brevorn& app, int dpi) {
    for (const form::Control& c : form::kControls) {
        RECT area{};
        GetWindowRect(app.control(c.id), &area);
        MapWindowPoints(nullptr, app.window, reinterpret_cast<POINT*>(&area), 2);
        RECT want = scaled(c.area, dpi);
        // A label that names a box comes before it, so on top: it stops where
        // the box begins instead of painting over it.
        for (const form::BoxName& name : form::kBoxNames) {
            if (name.label == c.id) {
                want.bottom = std::min(want.bottom, scaled(form::control(name.box).area, dpi).top);
            }
        }
        check(EqualRect(&area, &want),
              std::string(c.name) + " at " + show(area) + ", expected " + show(want));
        if (c.kind != form::Kind::textBox) {
            check(app.text(c.id) == wide(c.caption),
                  std::string(c.name) + " reads " + quoted(app.text(c.id)));
        }
        check(centred(app.control(c.id), c.kind) == (c.align == form::Align::centred),
              std::string(c.name) + (c.align == form::Align::centred ? " is not" : " is") +
                  " centred");
    }
}

// Every control where the table puts it, and its text as the table aligns it,
// and the client area, at `dpi`.
inline void layout(Brevorn& app, int dpi) {
    RECT client{};
    GetClientRect(app.window, &client);
    const RECT expected = scaled({0, 0, form::kClientWidth, form::kClientHeight}, dpi);
    check(EqualRect(&client, &expected),
          "client area " + show(client) + ", expected " + show(expected));
    RECT frame{}, work{};
    GetWindowRect(app.window, &frame);
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &work, 0);
    check(std::abs(frame.left + frame.right - work.left - work.right) <= 1 &&
              std::abs(frame.top + frame.bottom - work.top - work.bottom) <= 1,
          "window at " + show(frame) + " is not centred in the work area " + show(work));
    controlsAt(app, dpi);
}

inline Span spanOf(HWND box, const std::wstring& text) {
    const auto x = [box](std::size_t index) {
        return static_cast<short>(LOWORD(SendMessageW(box, EM_POSFROMCHAR, index, 0)));
    };
    const std::size_t last = text.size() - 1;
    return {x(0), x(last) + (x(last) - x(last - 1))};
}

// The message font at `dpi`, from this process's own metrics at its own dpi.
inline HFONT messageFont(int dpi) {
    NONCLIENTMETRICSW metrics{};
    metrics.cbSize = sizeof metrics;
    SystemParametersInfoW(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0);
    HDC screen = GetDC(nullptr);
    const int own = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    metrics.lfMessageFont.lfHeight = MulDiv(metrics.lfMessageFont.lfHeight, dpi, own);
    return CreateFontIndirectW(&metrics.lfMessageFont);
}

inline int textWidth(HFONT font, const std::wstring& text) {
    HDC screen = GetDC(nullptr);
    const HGDIOBJ previous = SelectObject(screen, font);
    SIZE extent{};
    GetTextExtentPoint32W(screen, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(screen, previous);
    ReleaseDC(nullptr, screen);
    return extent.cx;
}

// The boxes a person types into are in the system's message font at `dpi`:
// neither the control's default font nor one scaled for another dpi. The box
// may place characters a little apart from the font's own reckoning.
inline void messageFontIn(const Brevorn& app, int dpi) {
    const std::wstring digits = L"4804804804";
    HFONT font = messageFont(dpi);
    const int want = textWidth(font, digits);
    DeleteObject(font);
    for (const Id box : {Id::txtHeight, Id::txtWidth}) {
        app.setText(box, digits);
        const Span span = spanOf(app.control(box), digits);
        const int shown = span.right - span.left;
        check(std::abs(shown - want) * 10 <= want,
              std::string(form::control(box).name) + " shows " + quoted(digits) + " " +
                  std::to_string(shown) + " px wide, the message font " + std::to_string(want));
    }
}

// `text` shows whole in the answer box, from its first character, without
// scrolling; says where it lies.
inline std::string showsWhole(const Brevorn& app, const std::wstring& text) {
    HWND output = app.control(Id::txtOutput);
    RECT room{};
    SendMessageW(output, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&room));
    const Span span = spanOf(output, text);
    const std::string spans = "the answer spans x " + std::to_string(span.left) + ".." +
                              std::to_string(span.right) + ", the room " +
                              std::to_string(room.left) + ".." + std::to_string(room.right);
    check(SendMessageW(output, EM_GETFIRSTVISIBLELINE, 0, 0) == 0 && span.left >= room.left &&
              span.right <= room.right,
          spans);
    return spans;
}

}  // namespace win32
