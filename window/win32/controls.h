#pragma once

#include <windows.h>

#include "window/form_layout.h"

namespace brevorn {

// Clear of IDOK and IDCANCEL, which the dialog manager sends for Enter and
// Escape: neither may reach a button.
constexpr int controlId(form::Id id) {
    return 100 + static_cast<int>(id);
}

inline int scaled(int twips, UINT dpi) {
    return MulDiv(twips, static_cast<int>(dpi), form::kTwipsPerInch);
}

constexpr const wchar_t* className(form::Kind kind) {
    switch (kind) {
        case form::Kind::label:
            return L"STATIC";
        case form::Kind::textBox:
            return L"EDIT";
        case form::Kind::button:
            break;
    }
    return L"BUTTON";
}

constexpr DWORD exStyleOf(const form::Control& control) {
    return control.kind == form::Kind::textBox ? WS_EX_CLIENTEDGE : 0;
}

constexpr DWORD styleOf(const form::Control& control) {
    // Without clipping, a label that repaints after the control in front of it
    // paints over that control.
    DWORD style = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    if (form::takesFocus(control)) {
        style |= WS_TABSTOP;
    }
    const bool centred = control.align == form::Align::centred;
    switch (control.kind) {
        case form::Kind::label:
            // From the top of its area, clear of the box below.
            return style | (centred ? SS_CENTER : SS_LEFT);
        case form::Kind::textBox:
            return style | (centred ? ES_CENTER : ES_LEFT) | ES_AUTOHSCROLL;
        case form::Kind::button:
            break;
    }
    return style | BS_PUSHBUTTON | (centred ? BS_CENTER : 0);
}

}  // namespace brevorn
