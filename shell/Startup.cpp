#include "shell/Startup.h"

#include "basicinfo/Form1.h"
#include "channels/Form2.h"
#include "channels/Form2_2.h"
#include "channels/Form2_3.h"
#include "common/Public.h"
#include "macros/Form3_3.h"
#include "macros/Form3_3_1.h"
#include "macros/Form3_3_2.h"
#include "palettes/Form3_2.h"
#include "palettes/Form3_2_1.h"
#include "palettes/Form3_2_2.h"
#include "palettes/Form3_2_3.h"
#include "platform/Form.h"
#include "quicksetup/Form2_1.h"
#include "ranges/Form3_1.h"
#include "shell/Form0.h"
#include "shell/Form3.h"
#include "shell/Start.h"

#include <QApplication>
#include <QLibraryInfo>
#include <QStyleFactory>
#include <QTranslator>
#include <memory>

// The embedded files live in the static library, whose resource registration
// the linker would otherwise drop.
static void initResources() {
    Q_INIT_RESOURCE(resources);
}

namespace shell {

void registerWindows() {
    platform::Windows& w = platform::windows();
    w.add<Start>();
    w.add<Form0>();
    w.add<basicinfo::Form1>();
    w.add<channels::Form2>();
    w.add<channels::Form2_3>();
    w.add<channels::Form2_2>();
    w.add<quicksetup::Form2_1>();
    w.add<Form3>();
    w.add<palettes::Form3_2>();
    w.add<palettes::Form3_2_1>();
    w.add<palettes::Form3_2_3>();
    w.add<palettes::Form3_2_2>();
    w.add<macros::Form3_3>();
    w.add<macros::Form3_3_1>();
    w.add<macros::Form3_3_2>();
    w.add<ranges::Form3_1>();
}

bool installChineseQtTexts(QApplication& app) {
    // Qt's own texts (the file and colour dialogs, their prompts, the boxes' context menus) speak
    // the interface's language whatever the system's is.
    auto translator = std::make_unique<QTranslator>();
    if (!translator->load(QStringLiteral("qtbase_zh_CN"),
                          QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        return false;
    }
    translator->setParent(&app);
    return QCoreApplication::installTranslator(translator.release());
}

void prepareApplication(QApplication& app) {
    initResources();
    installChineseQtTexts(app);
    QApplication::setApplicationName(common::SettingsApplication);
    // Fusion draws the buttons' and boxes' own colours on every desktop.
    app.setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    // Hidden windows keep the program running; it ends through its own rules.
    app.setQuitOnLastWindowClosed(false);
    registerWindows();
}

int runEditor(QApplication& app) {
    prepareApplication(app);
    platform::window<Start>().Show();
    const int result = app.exec();
    platform::windows().discardAll();
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    return result;
}

} // namespace shell
