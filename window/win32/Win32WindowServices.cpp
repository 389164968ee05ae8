#include "window/win32/Win32WindowServices.h"

#include "calc/run_error.h"
#include "identity.h"
#include "window/win32/controls.h"
#include "window/win32/text.h"

namespace brevorn {
namespace {

// The failing call's own number and the system's words for it, or the
// standard words where the system has none.
[[noreturn]] void raiseLastError() {
    const DWORD code = GetLastError();
    wchar_t* message = nullptr;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&message), 0, nullptr);
    std::wstring description;
    if (message != nullptr) {
        description.assign(message, length);
        LocalFree(message);
    }
    while (!description.empty() && (description.back() == L'\n' || description.back() == L'\r' ||
                                    description.back() == L' ' || description.back() == L'.')) {
        description.pop_back();
    }
    if (description.empty()) {
        throw RunError(static_cast<std::int32_t>(code), std::string(kApplicationDefinedError));
    }
    throw RunError(static_cast<std::int32_t>(code), toUtf8(description));
}

UINT iconFor(MsgBoxStyle style) {
    switch (style) {
        case MsgBoxStyle::vbExclamation:
            return MB_ICONEXCLAMATION;
        case MsgBoxStyle::vbInformation:
            return MB_ICONINFORMATION;
        case MsgBoxStyle::vbOKOnly:
            break;
    }
    return 0;
}

}  // namespace

HWND Win32WindowServices::control(TextBox box) const {
    HWND handle = GetDlgItem(form_, controlId(form::idOf(box)));
    if (handle == nullptr) {
        raiseLastError();
    }
    return handle;
}

std::string Win32WindowServices::getText(TextBox box) {
    HWND handle = control(box);
    SetLastError(ERROR_SUCCESS);
    std::wstring text(static_cast<std::size_t>(GetWindowTextLengthW(handle)) + 1, L'\0');
    const int length = GetWindowTextW(handle, text.data(), static_cast<int>(text.size()));
    if (length == 0 && GetLastError() != ERROR_SUCCESS) {
        raiseLastError();
    }
    text.resize(static_cast<std::size_t>(length));
    return toUtf8(text);
}

void Win32WindowServices::setText(TextBox box, std::string_view text) {
    if (!SetWindowTextW(control(box), toUtf16(text).c_str())) {
        raiseLastError();
    }
}

void Win32WindowServices::setFocus(TextBox box) {
    HWND handle = control(box);
    // SetFocus answers null both on failure and when nothing had the focus.
    SetLastError(ERROR_SUCCESS);
    if (SetFocus(handle) == nullptr && GetLastError() != ERROR_SUCCESS) {
        raiseLastError();
    }
}

void Win32WindowServices::msgBox(std::string_view prompt, MsgBoxStyle style,
                                 std::optional<std::string_view> title) {
    if (MessageBoxW(form_, toUtf16(prompt).c_str(),
                    toUtf16(title.value_or(kApplicationName)).c_str(),
                    MB_OK | iconFor(style)) == 0) {
        raiseLastError();
    }
}

}  // namespace brevorn
