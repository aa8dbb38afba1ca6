#pragma once
// The Prompter tests use: it answers from a queue of the boxes the test expects, in order, and fails on any
// other box. A failure is recorded (failures(), satisfied()) and thrown as UnexpectedBox, so the test sees
// it even when the code under test swallows the exception.

#include "platform/ui/Prompter.h"

#include <cstddef>
#include <deque>
#include <stdexcept>
#include <string>
#include <vector>

namespace ui {

class UnexpectedBox : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

// How an expected text is compared: whole text, or only its start (for texts that end in a changing detail).
struct ExpectedText {
    ExpectedText(std::string whole) : text(std::move(whole)) {}
    ExpectedText(const char* whole) : text(whole) {}
    std::string text;
    bool prefix = false;
    bool matches(std::string_view shown) const;
};
ExpectedText startsWith(std::string start);

class ScriptedPrompter : public Prompter {
public:
    explicit ScriptedPrompter(std::string programTitle = "Migrador") : Prompter(std::move(programTitle)) {}

    // The title is compared as the operator would see it: an empty title in the call is the program's title.
    ScriptedPrompter& expectMessage(ExpectedText text, int style, std::string title, int answer);
    // "" answers as Cancel does.
    ScriptedPrompter& expectInput(ExpectedText prompt, std::string title, std::string answer);

    struct Shown {
        bool input = false;
        std::string text;
        int style = 0;  // message boxes only
        std::string title;
        std::string defaultText;  // input boxes only
    };
    const std::vector<Shown>& shown() const { return shown_; }

    const std::vector<std::string>& failures() const { return failures_; }
    std::size_t pending() const { return expected_.size(); }
    // Every expected box was shown and nothing else was.
    bool satisfied() const { return failures_.empty() && expected_.empty(); }
    // What went wrong, for the test's failure message.
    std::string report() const;

protected:
    int showMessage(std::string_view prompt, int style, std::string_view title) override;
    std::string showInput(std::string_view prompt, std::string_view title, std::string_view defaultText) override;

private:
    struct Expected {
        bool input = false;
        ExpectedText text;
        int style = 0;
        std::string title;
        int answer = 0;
        std::string typed;
    };
    [[noreturn]] void fail(std::string what);
    std::string describe(const Expected& e) const;
    std::string describe(const Shown& s) const;

    std::deque<Expected> expected_;
    std::vector<Shown> shown_;
    std::vector<std::string> failures_;
};

}  // namespace ui
