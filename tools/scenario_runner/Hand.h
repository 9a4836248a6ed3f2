#pragma once

#include <QEvent>
#include <QPointF>
#include <QPointer>
#include <QWidget>
#include <optional>

namespace platform {
class Control;
class Grid;
class ListBox;
class ComboBox;
class HScrollBar;
} // namespace platform

namespace runner {

// The user's mouse as the window system hands it to the program: every press, move, release and
// turn of the wheel enters through the window at a point of it, and Qt decides from there which
// widget gets it, whether the focus moves, where a caret lands and which widget holds the mouse
// while a button is down. Nothing calls a control's handler directly.
class Hand {
public:
    // Points are in the widget's own pixels.
    void moveTo(QWidget* widget, QPointF at);
    void press(QWidget* widget, QPointF at, Qt::MouseButton button);
    void release(QWidget* widget, QPointF at, Qt::MouseButton button);
    void click(QWidget* widget, QPointF at, Qt::MouseButton button = Qt::LeftButton);
    void doubleClick(QWidget* widget, QPointF at);
    // Notches of the wheel: positive turns away from the user (up).
    void turnWheel(QWidget* widget, QPointF at, int notches);
    Qt::MouseButtons held() const { return held_; }
    // Where the pointer stands on the screen.
    QPointF position() const { return position_; }

private:
    void send(QWidget* widget, QPointF at, QEvent::Type type, Qt::MouseButton button);
    Qt::MouseButtons held_ = Qt::NoButton;
    QPointF position_{-1, -1};
    // The window system's clock: separate clicks lie further apart than a double click.
    int timestamp_ = 0;
};

// The window the user acts on is the desktop's active one, as a click on it makes it: the
// desktop's focus, the keys and the drop-down lists go with the active window. On a desktop that
// activates windows in its own time, this waits for it a while.
void bringToFront(QWidget& window);

// Where the hand goes to reach something: a point of the widget's own pixels that the window's
// hit test gives to it (or to a part of it that is no control of its own, such as a grid's
// viewport). Nothing when every point of it is covered.
std::optional<QPointF> reachablePoint(const QWidget& widget);
// A point of the window's free area, where no control lies, other than where the pointer stands
// (a pointer that does not move raises no move).
std::optional<QPointF> freePoint(const QWidget& window, QPointF pointer);

// The centre of a grid cell, list item or combo popup item, in the pixels of the widget that
// shows it, after the view has been scrolled to it as the user would with its scroll bar.
// The centre of the part of an item that its view shows: a narrow drop-down list shows only the
// left of its items.
QPointF shownCentre(const QRect& item, const QWidget& viewport);
QPointF cellPoint(platform::Grid& grid, int row, int col, QWidget*& shownIn);
QPointF itemPoint(platform::ListBox& list, int index, QWidget*& shownIn);

} // namespace runner
