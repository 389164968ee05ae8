#include "commands/run_command.h"

#include <cstdio>
#include <new>
#include <stdexcept>

#include "calc/run_error.h"

namespace brevorn {
namespace {

template <typename Operation>
auto guarded(Operation operation) {
    try {
        return operation();
    } catch (const std::bad_alloc&) {
        throw RunError(kOutOfMemory);
    } catch (const std::length_error&) {
        throw RunError(kOutOfMemory);
    }
}

// The window's operations, with memory running out in any of them (a failed
// allocation, or a string too long to convert) raised as the command's own
// RunError.
class OutOfMemoryAsRunError final : public WindowServices {
public:
    explicit OutOfMemoryAsRunError(WindowServices& window) : window_(window) {}

    std::string getText(TextBox box) override {
        return guarded([&] { return window_.getText(box); });
    }
    void setText(TextBox box, std::string_view text) override {
        guarded([&] { window_.setText(box, text); });
    }
    void setFocus(TextBox box) override {
        guarded([&] { window_.setFocus(box); });
    }
    void msgBox(std::string_view prompt, MsgBoxStyle style,
                std::optional<std::string_view> title = std::nullopt) override {
        guarded([&] { window_.msgBox(prompt, style, title); });
    }

private:
    WindowServices& window_;
};

}  // namespace

void runCommand(void (*command)(WindowServices&), WindowServices& window) {
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
