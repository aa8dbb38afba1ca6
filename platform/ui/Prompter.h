#pragma once
// Message boxes and input boxes. Callers pass the style and read the answer with the legacy runtime's numbers,
// because the numbers are part of the program's logic (4 runs a failed step again, 5 goes on with the next).

#include <string>
#include <string_view>

namespace ui {

// Style = one button set + one icon + one default button, added together.
enum MsgBoxStyle : int {
    vbOKOnly = 0,
    vbOKCancel = 1,
    vbAbortRetryIgnore = 2,
    vbYesNoCancel = 3,
    vbYesNo = 4,
    vbRetryCancel = 5,
    vbCritical = 16,
    vbQuestion = 32,
    vbExclamation = 48,
    vbInformation = 64,
    vbDefaultButton1 = 0,
    vbDefaultButton2 = 256,
    vbDefaultButton3 = 512,
};

enum MsgBoxResult : int { vbOK = 1, vbCancel = 2, vbAbort = 3, vbRetry = 4, vbIgnore = 5, vbYes = 6, vbNo = 7 };

inline constexpr int kButtonSetMask = 0x7;
inline constexpr int kIconMask = 0x70;
inline constexpr int kDefaultButtonMask = 0x300;

// The answers a box with this style can give, in the order its buttons stand (at most three).
struct ButtonSet {
    int answers[3] = {0, 0, 0};
    int count = 0;
    bool contains(int answer) const;
};
ButtonSet buttonsOf(int style);

class Prompter {
public:
    explicit Prompter(std::string programTitle) : programTitle_(std::move(programTitle)) {}
    virtual ~Prompter() = default;
    Prompter(const Prompter&) = delete;
    Prompter& operator=(const Prompter&) = delete;

    // An empty title shows the program's title, as every box without a title of its own did.
    int msgBox(std::string_view prompt, int style = vbOKOnly, std::string_view title = {});

    // The typed text; Cancel answers "" (the caller cannot tell it from an empty answer, and never needed to).
    std::string inputBox(std::string_view prompt, std::string_view title = {}, std::string_view defaultText = {});

    const std::string& programTitle() const { return programTitle_; }

protected:
    virtual int showMessage(std::string_view prompt, int style, std::string_view title) = 0;
    virtual std::string showInput(std::string_view prompt, std::string_view title, std::string_view defaultText) = 0;

private:
    std::string_view titleOrProgram(std::string_view title) const;

    std::string programTitle_;
};

}  // namespace ui
