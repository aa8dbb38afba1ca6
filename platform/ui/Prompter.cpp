#include "platform/ui/Prompter.h"

namespace ui {

bool ButtonSet::contains(int answer) const {
    for (int i = 0; i < count; ++i) {
        if (answers[i] == answer) return true;
    }
    return false;
}

ButtonSet buttonsOf(int style) {
    switch (style & kButtonSetMask) {
        case vbOKCancel: return {{vbOK, vbCancel, 0}, 2};
        case vbAbortRetryIgnore: return {{vbAbort, vbRetry, vbIgnore}, 3};
        case vbYesNoCancel: return {{vbYes, vbNo, vbCancel}, 3};
        case vbYesNo: return {{vbYes, vbNo, 0}, 2};
        case vbRetryCancel: return {{vbRetry, vbCancel, 0}, 2};
        default: return {{vbOK, 0, 0}, 1};
    }
}

int Prompter::msgBox(std::string_view prompt, int style, std::string_view title) {
    return showMessage(prompt, style, titleOrProgram(title));
}

std::string Prompter::inputBox(std::string_view prompt, std::string_view title, std::string_view defaultText) {
    return showInput(prompt, titleOrProgram(title), defaultText);
}

std::string_view Prompter::titleOrProgram(std::string_view title) const {
    return title.empty() ? std::string_view(programTitle_) : title;
}

}  // namespace ui
