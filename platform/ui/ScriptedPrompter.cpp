#include "platform/ui/ScriptedPrompter.h"

#include <fmt/format.h>

namespace ui {

bool ExpectedText::matches(std::string_view shown) const {
    return prefix ? shown.starts_with(text) : shown == text;
}

ExpectedText startsWith(std::string start) {
    ExpectedText t(std::move(start));
    t.prefix = true;
    return t;
}

ScriptedPrompter& ScriptedPrompter::expectMessage(ExpectedText text, int style, std::string title, int answer) {
    expected_.push_back({false, std::move(text), style, std::move(title), answer, {}});
    return *this;
}

ScriptedPrompter& ScriptedPrompter::expectInput(ExpectedText prompt, std::string title, std::string answer) {
    expected_.push_back({true, std::move(prompt), 0, std::move(title), 0, std::move(answer)});
    return *this;
}

int ScriptedPrompter::showMessage(std::string_view prompt, int style, std::string_view title) {
    shown_.push_back({false, std::string(prompt), style, std::string(title), {}});
    const Shown& box = shown_.back();
    if (expected_.empty()) fail(fmt::format("unexpected {}: nothing more was expected", describe(box)));
    const Expected& e = expected_.front();
    if (e.input || !e.text.matches(prompt) || e.style != style || e.title != title) {
        fail(fmt::format("unexpected {}; expected {}", describe(box), describe(e)));
    }
    // A script answering with a button the box does not have would test something the operator cannot do.
    if (!buttonsOf(style).contains(e.answer)) {
        fail(fmt::format("the script answers {} to {}, which has no such button", e.answer, describe(box)));
    }
    int answer = e.answer;
    expected_.pop_front();
    return answer;
}

std::string ScriptedPrompter::showInput(std::string_view prompt, std::string_view title,
                                        std::string_view defaultText) {
    shown_.push_back({true, std::string(prompt), 0, std::string(title), std::string(defaultText)});
    const Shown& box = shown_.back();
    if (expected_.empty()) fail(fmt::format("unexpected {}: nothing more was expected", describe(box)));
    const Expected& e = expected_.front();
    if (!e.input || !e.text.matches(prompt) || e.title != title) {
        fail(fmt::format("unexpected {}; expected {}", describe(box), describe(e)));
    }
    std::string answer = e.typed;
    expected_.pop_front();
    return answer;
}

void ScriptedPrompter::fail(std::string what) {
    failures_.push_back(what);
    throw UnexpectedBox(what);
}

std::string ScriptedPrompter::describe(const Expected& e) const {
    const char* match = e.text.prefix ? "starting with " : "";
    if (e.input) return fmt::format("input box {}\"{}\" titled \"{}\"", match, e.text.text, e.title);
    return fmt::format("message box {}\"{}\" style {} titled \"{}\"", match, e.text.text, e.style, e.title);
}

std::string ScriptedPrompter::describe(const Shown& s) const {
    if (s.input) return fmt::format("input box \"{}\" titled \"{}\"", s.text, s.title);
    return fmt::format("message box \"{}\" style {} titled \"{}\"", s.text, s.style, s.title);
}

std::string ScriptedPrompter::report() const {
    std::string out;
    for (const auto& f : failures_) out += f + "\n";
    for (const auto& e : expected_) out += "never shown: " + describe(e) + "\n";
    return out;
}

}  // namespace ui
