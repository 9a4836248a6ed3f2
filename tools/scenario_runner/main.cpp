#include "ScenarioRunner.h"

#include <QApplication>
#include <QTemporaryDir>
#include <QTextStream>

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    if (argc != 2) {
        QTextStream(stderr) << "usage: scenario_runner FILE.scn\n";
        return 2;
    }
    const QString path = QString::fromLocal8Bit(argv[1]);
    // Settings go to a folder of this run only, before anything reads them.
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    ScenarioRunner runner(path);
    return runner.run();
}
