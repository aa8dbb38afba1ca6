#include "platform/ui/qt/QtEventPump.h"
#include "platform/ui/qt/QtTextMeasurer.h"
#include "platform/ui/qt/VbKeys.h"
#include "tests/support/qt/QtTestApplication.h"

#include <QApplication>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using namespace ui;

TEST(VbKeys, QtKeysBecomeLegacyKeyCodes) {
    struct Case {
        int qtKey;
        Qt::KeyboardModifiers modifiers;
        int code;
    };
    const Case cases[] = {
        {Qt::Key_Return, Qt::NoModifier, 13},      {Qt::Key_Enter, Qt::KeypadModifier, 13},
        {Qt::Key_Escape, Qt::NoModifier, 27},      {Qt::Key_F2, Qt::NoModifier, 113},
        {Qt::Key_F5, Qt::NoModifier, 116},         {Qt::Key_F12, Qt::NoModifier, 123},
        {Qt::Key_Backspace, Qt::NoModifier, 8},    {Qt::Key_Space, Qt::NoModifier, 32},
        {Qt::Key_PageUp, Qt::NoModifier, 33},      {Qt::Key_PageDown, Qt::NoModifier, 34},
        {Qt::Key_Up, Qt::NoModifier, 38},          {Qt::Key_Down, Qt::NoModifier, 40},
        {Qt::Key_Insert, Qt::ShiftModifier, 45},   {Qt::Key_Delete, Qt::NoModifier, 46},
        {Qt::Key_A, Qt::NoModifier, 65},           {Qt::Key_Z, Qt::ShiftModifier, 90},
        {Qt::Key_0, Qt::NoModifier, 48},           {Qt::Key_7, Qt::KeypadModifier, 103},
        {Qt::Key_0, Qt::KeypadModifier, 96},       {Qt::Key_Minus, Qt::KeypadModifier, 109},
        {Qt::Key_Exclam, Qt::ShiftModifier, 0},
    };
    for (const Case& c : cases) EXPECT_EQ(vbKeyCode(c.qtKey, c.modifiers), c.code) << std::hex << c.qtKey;
}

TEST(VbKeys, ShiftStateAddsShiftCtrlAlt) {
    EXPECT_EQ(vbShiftState(Qt::NoModifier), 0);
    EXPECT_EQ(vbShiftState(Qt::ShiftModifier), 1);
    EXPECT_EQ(vbShiftState(Qt::ShiftModifier | Qt::KeypadModifier), 1);
    EXPECT_EQ(vbShiftState(Qt::ControlModifier | Qt::AltModifier), 6);
}

TEST(QtEventPump, RunsPendingEvents) {
    for (auto interval : {std::chrono::milliseconds(0), std::chrono::milliseconds(20)}) {
        QtEventPump pump(interval);
        bool ran = false;
        QTimer::singleShot(0, [&] { ran = true; });
        pump.doEvents();  // the first call always lets events run
        EXPECT_TRUE(ran) << interval.count();
    }
}

TEST(QtTextMeasurer, MeasuresTheWidestLineAndEveryLine) {
    QtTextMeasurer measure(QApplication::font());
    EXPECT_EQ(measure.textWidth(""), 0);
    const long wide = measure.textWidth("XXXXXXXXXX");
    EXPECT_GT(wide, measure.textWidth("XX"));
    EXPECT_EQ(wide % QtTextMeasurer::kTwipsPerPixel, 0);
    EXPECT_EQ(measure.textWidth("XX\r\nXXXXXXXXXX\nX"), wide);
    EXPECT_EQ(measure.textHeight("a\r\nb\rc"), 3 * measure.textHeight("a"));
    EXPECT_EQ(measure.textHeight(""), measure.textHeight("a"));
}

}  // namespace
