#include "tests/support/qt/QtTestApplication.h"

#include <QApplication>
#include <QDialog>
#include <QPointer>
#include <QTimer>

#include <gtest/gtest.h>

#include <exception>
#include <memory>
#include <vector>

namespace uitest {

namespace {

// Closes every modal widget, so that the exec() that shows it returns: a dialog's own way first (its frame's
// close, as the operator would), then by force.
void closeModals() {
    for (QWidget* widget : QApplication::topLevelWidgets()) {
        if (!widget->isVisible() || !widget->isModal()) continue;
        widget->close();
        if (!widget->isVisible()) continue;
        if (auto* dialog = qobject_cast<QDialog*>(widget)) dialog->done(QDialog::Rejected);
        else widget->hide();
    }
}

// An exception must never leave an event handler through Qt: a modal dialog's event loop that it crossed is
// gone while the dialog still points at it, and the process ends on the dialog's destruction. Whatever a
// handler throws (the scripted prompter's unexpected box among others) fails the running case with its text,
// and the modal widgets are closed so the case ends and the next one runs.
class TestApplication : public QApplication {
public:
    using QApplication::QApplication;

    bool notify(QObject* receiver, QEvent* event) override {
        try {
            return QApplication::notify(receiver, event);
        } catch (const std::exception& error) {
            ADD_FAILURE() << "An event handler threw: " << error.what();
        } catch (...) {
            ADD_FAILURE() << "An event handler threw something that is no std::exception";
        }
        closeModals();
        return true;
    }
};

class QtApplicationEnvironment : public testing::Environment {
public:
    void SetUp() override {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
        app_ = std::make_unique<TestApplication>(argc_, argv_);
    }
    void TearDown() override { app_.reset(); }

private:
    int argc_ = 1;
    char name_[12] = "migra_tests";
    char* argv_[2] = {name_, nullptr};
    std::unique_ptr<QApplication> app_;
};

// The actions waiting for a modal widget. One still waiting when its case ends belongs to that case: it is
// dropped, so that it never acts on a later case's dialog.
std::vector<QPointer<QTimer>>& waiting() {
    static std::vector<QPointer<QTimer>> timers;
    return timers;
}

class DropWaitingActions : public testing::EmptyTestEventListener {
public:
    void OnTestEnd(const testing::TestInfo&) override {
        for (const QPointer<QTimer>& timer : waiting()) delete timer.data();
        waiting().clear();
    }
};

[[maybe_unused]] testing::Environment* const environment =
    testing::AddGlobalTestEnvironment(new QtApplicationEnvironment);

[[maybe_unused]] const bool listening = [] {
    testing::UnitTest::GetInstance()->listeners().Append(new DropWaitingActions);
    return true;
}();

}  // namespace

void whenModalShows(std::function<void(QWidget*)> action) {
    auto* timer = new QTimer;
    timer->setInterval(0);
    QObject::connect(timer, &QTimer::timeout, [timer, action] {
        if (QWidget* modal = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            action(modal);
        }
    });
    timer->start();
    waiting().push_back(timer);
}

}  // namespace uitest
