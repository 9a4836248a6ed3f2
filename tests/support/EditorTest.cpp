#include "tests/support/EditorTest.h"

#include "common/Public.h"
#include "shell/Startup.h"

#include <QApplication>
#include <QCoreApplication>

void EditorTest::SetUp() {
    static bool prepared = false;
    if (!prepared) {
        shell::prepareApplication(*qApp);
        prepared = true;
    }
    platform::setDesktop(&desktop);
    platform::Timer::useVirtualClock(true);
    platform::windows().followSystemActivation = false;
    common::resetPublic();
}

void EditorTest::TearDown() {
    platform::windows().discardAll();
    settle();
    platform::setDesktop(nullptr);
    common::resetPublic();
}

QStringList EditorTest::messageTexts() const {
    QStringList texts;
    for (const platform::MessageRequest& m : desktop.messages) {
        texts << m.text;
    }
    return texts;
}

void EditorTest::settle() {
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QCoreApplication::processEvents();
}
