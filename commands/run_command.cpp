#include "commands/run_command.h"

#include <cstdio>
#include <new>
#include <stdexcept>

#include "calc/run_error.h"

namespace brevorn {
namespace {

// Memory running out in a window operation (a failed allocation, or a string
// too long to convert) is the command's own RunError; called from a handler,
// it raises that, or lets any other exception go on as it is.
[[noreturn]] void raiseOutOfMemoryAsRunError() {
    try {
        throw;
    } catch (const std::bad_alloc&) {
        throw RunError(kOutOfMemory);
    } catch (const std::length_error&) {
        throw RunError(kOutOfMemory);
    }
}

// The window's operations, each under raiseOutOfMemoryAsRunError.
class OutOfMemoryAsRunError final : public WindowServices {
public:
    explicit OutOfMemoryAsRunError(WindowServices& window) : window_(window) {}

    std::string getText(TextBox box) override {
        try {
            return window_.getText(box);
        } catch (...) {
            raiseOutOfMemoryAsRunError();
        }
    }
    void setText(TextBox box, std::string_view text) override {
        try {
            window_.setText(box, text);
        } catch (...) {
            raiseOutOfMemoryAsRunError();
        }
    }
    void setFocus(TextBox box) override {
        try {
            window_.setFocus(box);
        } catch (...) {
            raiseOutOfMemoryAsRunError();
        }
    }
    void msgBox(std::string_view prompt, MsgBoxStyle style,
                std::optional<std::string_view> title) override {
        try {
            window_.msgBox(prompt, style, title);
        } catch (...) {
            raiseOutOfMemoryAsRunError();
        }
    }

private:
    WindowServices& window_;
};

}  // namespace

void runCommand(Command command, WindowServices& window) {
    try {
        OutOfMemoryAsRunError guarded(window);
        command(guarded);
    } catch (const RunError& error) {
        std::fprintf(stderr, "Brevorn: unhandled error %d: %s\n", static_cast<int>(error.number),
                     error.description.c_str());
    } catch (const std::exception& error) {
        std::fprintf(stderr, "Brevorn: unhandled exception: %s\n", error.what());
    } catch (...) {
        std::fputs("Brevorn: unhandled exception\n", stderr);
    }
}

}  // namespace brevorn
