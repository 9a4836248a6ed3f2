#pragma once

#include "platform/Controls.h"
#include "platform/Form.h"
#include "platform/Grid.h"
#include "platform/Timer.h"
#include "tests/support/ScriptedDesktop.h"

#include <gtest/gtest.h>

// A fresh editor for each test: the scripted desktop answers the dialogs,
// timers run on the virtual clock and no window of an earlier test remains.
class EditorTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    // The texts of the messages shown so far, in order.
    QStringList messageTexts() const;
    // Runs what the program would run before its next user event.
    static void settle();

    testsupport::ScriptedDesktop desktop;
};
