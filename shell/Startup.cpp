#include "shell/Startup.h"

#include "platform/Form.h"
#include "shell/Form0.h"
#include "shell/Start.h"

#include <QApplication>
#include <QStyleFactory>

namespace shell {

void registerWindows() {
    platform::Windows& w = platform::windows();
    w.add<Start>();
    w.add<Form0>();
}

void prepareApplication(QApplication& app) {
    QApplication::setApplicationName(QStringLiteral("TavoK36Edit"));
    // Fusion draws the buttons' and boxes' own colours on every desktop.
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // Hidden windows keep the program running; it ends through its own rules.
    app.setQuitOnLastWindowClosed(false);
    registerWindows();
}

int runEditor(QApplication& app) {
    prepareApplication(app);
    platform::window<Start>().Show();
    return app.exec();
}

} // namespace shell
