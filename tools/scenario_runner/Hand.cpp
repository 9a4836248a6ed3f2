#include "Hand.h"

#include "platform/Controls.h"
#include "platform/Grid.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QWheelEvent>
#include <QWindow>
#include <QtTest/qtestmouse.h>
#include <QtTest/qtestspontaneevent.h>

namespace runner {
namespace {

// Separate clicks lie further apart than the desktop's double-click time; the two clicks of a
// double click lie within it.
constexpr int ApartMs = 2000;
constexpr int QuickMs = 20;

QWidget* topWindow(QWidget* widget) {
    return widget->window();
}

// Whether a press at this point of the window reaches the widget itself: the hit widget is the
// widget, or a part of it that is no control of its own.
bool hitsWidget(const QWidget& widget, QPoint inWindow) {
    QWidget* window = widget.window();
    QWidget* hit = window->childAt(inWindow);
    if (!hit) {
        hit = window;
    }
    for (QWidget* w = hit; w; w = w->parentWidget()) {
        if (w == &widget) {
            return true;
        }
        if (dynamic_cast<platform::Control*>(w) || w->isWindow()) {
            return false;
        }
    }
    return false;
}

} // namespace

void Hand::send(QWidget* widget, QPointF at, QEvent::Type type, Qt::MouseButton button) {
    QWidget* window = topWindow(widget);
    QWindow* handle = window->windowHandle();
    if (!handle) {
        return;
    }
    const QPointF local = widget->mapTo(window, at);
    const QPointF global = window->mapToGlobal(local);
    position_ = global;
    if (type == QEvent::MouseButtonPress) {
        held_ |= button;
    } else if (type == QEvent::MouseButtonRelease) {
        held_ &= ~Qt::MouseButtons(button);
    }
    timestamp_ += 1;
    qt_handleMouseEvent(handle, local, global, held_, button, type, Qt::NoModifier, timestamp_);
}

void Hand::moveTo(QWidget* widget, QPointF at) {
    send(widget, at, QEvent::MouseMove, Qt::NoButton);
}

void Hand::press(QWidget* widget, QPointF at, Qt::MouseButton button) {
    timestamp_ += ApartMs;
    moveTo(widget, at);
    // A button held down is let go before it can be pressed again.
    if (held_.testFlag(button)) {
        send(widget, at, QEvent::MouseButtonRelease, button);
    }
    send(widget, at, QEvent::MouseButtonPress, button);
}

void Hand::release(QWidget* widget, QPointF at, Qt::MouseButton button) {
    moveTo(widget, at);
    send(widget, at, QEvent::MouseButtonRelease, button);
}

void Hand::click(QWidget* widget, QPointF at, Qt::MouseButton button) {
    const QPointer<QWidget> alive(widget);
    press(widget, at, button);
    // The press may have closed the window (a message, a page switch): the release then goes
    // wherever the pointer is, which is no business of this widget's.
    if (alive && alive->isVisible()) {
        release(widget, at, button);
    } else {
        held_ &= ~Qt::MouseButtons(button);
    }
}

void Hand::doubleClick(QWidget* widget, QPointF at) {
    const QPointer<QWidget> alive(widget);
    click(widget, at);
    if (alive && alive->isVisible()) {
        timestamp_ += QuickMs;
        send(widget, at, QEvent::MouseButtonPress, Qt::LeftButton);
        send(widget, at, QEvent::MouseButtonRelease, Qt::LeftButton);
    }
}

void Hand::turnWheel(QWidget* widget, QPointF at, int notches) {
    moveTo(widget, at);
    QWidget* window = topWindow(widget);
    const QPointF inWindow = widget->mapTo(window, at);
    QWidget* target = window->childAt(inWindow.toPoint());
    if (!target) {
        target = window;
    }
    const QPointF local = target->mapFrom(window, inWindow);
    QWheelEvent wheel(local, window->mapToGlobal(inWindow), QPoint(),
                      QPoint(0, notches * QWheelEvent::DefaultDeltasPerStep), held_, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    // As the window system's own: the application routes it to the widget under the pointer and
    // on to its parents while none takes it.
    QSpontaneKeyEvent::setSpontaneous(&wheel);
    QApplication::instance()->notify(target, &wheel);
}

void bringToFront(QWidget& window) {
    QWindow* handle = window.windowHandle();
    if (!handle || QGuiApplication::focusWindow() == handle) {
        return;
    }
    window.activateWindow();
    QDeadlineTimer patience(1000);
    while (QGuiApplication::focusWindow() != handle && !patience.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
}

std::optional<QPointF> reachablePoint(const QWidget& widget) {
    QWidget* window = widget.window();
    const QRect area = widget.rect();
    const QPoint centre = area.center();
    if (hitsWidget(widget, widget.mapTo(window, centre))) {
        return QPointF(centre);
    }
    // Nearest to the centre first, so the point lies well inside what the user sees.
    std::optional<QPoint> best;
    int bestDistance = 0;
    for (int y = area.top() + 1; y < area.bottom(); y += 2) {
        for (int x = area.left() + 1; x < area.right(); x += 2) {
            const QPoint p(x, y);
            const int distance = (p - centre).manhattanLength();
            if ((!best || distance < bestDistance) && hitsWidget(widget, widget.mapTo(window, p))) {
                best = p;
                bestDistance = distance;
            }
        }
    }
    if (!best) {
        return std::nullopt;
    }
    return QPointF(*best);
}

std::optional<QPointF> freePoint(const QWidget& window, QPointF pointer) {
    const QRect area = window.rect();
    for (int y = area.bottom() - 2; y > area.top(); y -= 3) {
        for (int x = area.left() + 2; x < area.right(); x += 3) {
            if (!window.childAt(QPoint(x, y)) && window.mapToGlobal(QPointF(x, y)) != pointer) {
                return QPointF(x, y);
            }
        }
    }
    return std::nullopt;
}

QPointF shownCentre(const QRect& item, const QWidget& viewport) {
    return QRectF(item.intersected(viewport.rect())).center();
}

QPointF cellPoint(platform::Grid& grid, int row, int col, QWidget*& shownIn) {
    const QModelIndex index = grid.model()->index(row, col);
    grid.scrollTo(index);
    shownIn = grid.viewport();
    return shownCentre(grid.visualRect(index), *shownIn);
}

QPointF itemPoint(platform::ListBox& list, int index, QWidget*& shownIn) {
    const QModelIndex at = list.model()->index(index, 0);
    list.scrollTo(at);
    shownIn = list.viewport();
    return shownCentre(list.visualRect(at), *shownIn);
}

} // namespace runner
