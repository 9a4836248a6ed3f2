// random_actions [--seed N] [--steps N] [--scenario FILE] [--limit MS]: a seeded random user
// drives the editor for N actions, checking it after each one, and prints how long each kind of
// action took. Exits 1 on the first fault (with the seed, the step and the scenario file that
// plays the program run up to it) or, with --limit, when an action's 99th percentile at 512
// channels reaches the limit.

#include "Session.h"

#include <QApplication>
#include <QDir>
#include <QTemporaryDir>
#include <QTextStream>
#include <csignal>
#include <unistd.h>

#if defined(__SANITIZE_ADDRESS__)
#include <sanitizer/common_interface_defs.h>
#endif

namespace {

struct Options {
    quint64 seed = 1;
    int steps = 3000;
    QString scenario;
    double limitMs = 0; // 0: no limit
};

bool readOptions(const QStringList& args, Options& options) {
    for (int i = 1; i + 1 < args.size(); i += 2) {
        bool ok = true;
        if (args[i] == "--seed") {
            options.seed = args[i + 1].toULongLong(&ok);
        } else if (args[i] == "--steps") {
            options.steps = args[i + 1].toInt(&ok);
        } else if (args[i] == "--scenario") {
            options.scenario = args[i + 1];
        } else if (args[i] == "--limit") {
            options.limitMs = args[i + 1].toDouble(&ok);
        } else {
            ok = false;
        }
        if (!ok) {
            return false;
        }
    }
    return args.size() % 2 == 1;
}

// What a crash prints: made before it, since a dying process may not format text.
char crashNote[512];
const randomactions::Session* running = nullptr;

void noteCrash() {
    if (running) {
        const QByteArray note = QStringLiteral("random actions: crashed in step %1; %2\n")
                                    .arg(running->step())
                                    .arg(QString::fromUtf8(crashNote))
                                    .toUtf8();
        (void)!::write(2, note.constData(), static_cast<size_t>(note.size()));
    }
}

void onCrash(int signal) {
    noteCrash();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
}

} // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) {
        qputenv("QT_QPA_PLATFORM", "offscreen");
    }
    QTemporaryDir config;
    qputenv("XDG_CONFIG_HOME", config.path().toLocal8Bit());
    QApplication app(argc, argv);
    Options options;
    if (!readOptions(QCoreApplication::arguments(), options)) {
        QTextStream(stderr) << "usage: random_actions [--seed N] [--steps N] [--scenario FILE] "
                               "[--limit MS]\n";
        return 2;
    }
    if (options.scenario.isEmpty()) {
        options.scenario =
            QDir::temp().filePath(QStringLiteral("random-actions-%1.scn").arg(options.seed));
    }
    QTextStream out(stdout);
    randomactions::Session session(options.seed, options.steps, options.scenario);
    qsnprintf(crashNote, sizeof crashNote, "seed %llu; the program run so far: %s",
              static_cast<unsigned long long>(options.seed), qPrintable(options.scenario));
    running = &session;
    for (int signal : {SIGSEGV, SIGABRT, SIGBUS, SIGFPE, SIGILL}) {
        std::signal(signal, onCrash);
    }
#if defined(__SANITIZE_ADDRESS__)
    __sanitizer_set_death_callback(noteCrash);
#endif

    int programRuns = 0;
    while (!session.finished() && session.playProgramRun()) {
        ++programRuns;
    }
    running = nullptr;
    out << "random actions: seed " << options.seed << ", " << session.step() << " actions in "
        << programRuns << " program runs\n"
        << session.reach() << "\n"
        << "\nat every channel count:\n"
        << session.latencies().table(false) << "\nat 512 channels:\n"
        << session.latencies().table(true) << "\nthe slowest at 512 channels:\n"
        << session.latencies().slowest();
    if (!session.fault().isEmpty()) {
        out << "\nFAILED with seed " << options.seed << " at " << session.fault()
            << "\nthe program run up to it: " << options.scenario << "\n";
        return 1;
    }
    QFile::remove(options.scenario);
    const QStringList slow =
        options.limitMs > 0 ? session.latencies().slowerThan(options.limitMs) : QStringList();
    if (!slow.isEmpty()) {
        out << "\nSLOW at 512 channels (99th percentile " << options.limitMs
            << " ms or more): " << slow.join(", ") << "\n";
        return 1;
    }
    return 0;
}
