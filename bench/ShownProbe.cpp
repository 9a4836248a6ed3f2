#include "bench/ShownProbe.h"

#include <QApplication>
#include <QEvent>
#include <QFile>
#include <QTimer>
#include <QWidget>
#include <cstdio>
#include <cstdlib>

namespace bench {

namespace {

// Watches every paint of the program: a window covered by its controls may get none itself.
class FirstPaint : public QObject {
public:
    FirstPaint(QWidget& window, std::function<void()> then)
        : QObject(&window), window_(window), then_(std::move(then)) {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const auto* widget = qobject_cast<QWidget*>(watched);
        if (event->type() == QEvent::Paint && then_ && widget && widget->window() == &window_) {
            qApp->removeEventFilter(this);
            QTimer::singleShot(0, this, std::exchange(then_, nullptr));
        }
        return false;
    }

private:
    QWidget& window_;
    std::function<void()> then_;
};

} // namespace

void whenShown(QWidget& window, std::function<void()> then) {
    new FirstPaint(window, std::move(then)); // owned by the window
}

void report(const char* line) {
    std::printf("%s\n", line);
    std::fflush(stdout);
    std::_Exit(0);
}

long peakResidentKb() {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (QByteArray line = status.readLine(); !line.isEmpty(); line = status.readLine()) {
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').value(0).toLong();
    }
    return -1;
}

} // namespace bench
