#pragma once
// Message and input boxes on screen, with the legacy button sets, icons, default buttons and answer codes.

#include "platform/ui/Prompter.h"

class QWidget;

namespace ui {

class QtPrompter : public Prompter {
public:
    // Boxes are modal over `parent` (over the whole program when there is none).
    explicit QtPrompter(std::string programTitle, QWidget* parent = nullptr)
        : Prompter(std::move(programTitle)), parent_(parent) {}

protected:
    int showMessage(std::string_view prompt, int style, std::string_view title) override;
    std::string showInput(std::string_view prompt, std::string_view title, std::string_view defaultText) override;

private:
    QWidget* parent_;
};

}  // namespace ui
