#pragma once

#include <QColor>
#include <QMouseEvent>
#include <QPointF>
#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>

namespace platform {

class Form;

// Twips are the unit the window layouts are written in: 15 twips make one
// pixel at 96 dots per inch.
constexpr int TwipsPerPixel = 15;
inline int toPixels(int twips) {
    return twips / TwipsPerPixel;
}
inline int toTwips(int pixels) {
    return pixels * TwipsPerPixel;
}
inline QPointF toTwips(const QPointF& pixels) {
    return pixels * TwipsPerPixel;
}
inline QPointF toPixels(const QPointF& twips) {
    return twips / TwipsPerPixel;
}

inline QColor rgb(int red, int green, int blue) {
    return QColor(red, green, blue);
}
QColor systemWindowText();
QColor systemHighlight();
QColor systemButtonFace();
QColor systemWindow(); // the background of boxes, lists and grid cells

// The mouse buttons as the mouse handlers receive them: one bit each, so a move can report
// every button held.
inline constexpr int LeftButton = 1;
inline constexpr int RightButton = 2;
inline constexpr int MiddleButton = 4;

// What every control has: its name (and index within a control array), its
// form, its place in the tab order and the events that any control raises.
class Control {
public:
    using MouseHandler = std::function<void(int button, int shift, float x, float y)>;

    Control(QWidget* self, const QString& name, int index, bool takesFocus);
    virtual ~Control();
    Control(const Control&) = delete;
    Control& operator=(const Control&) = delete;

    QWidget* widget() const { return self_; }
    Form* form() const { return form_; }
    void detachFromForm() { form_ = nullptr; }
    QString baseName() const { return baseName_; }
    int index() const { return index_; }
    QString fullName() const;

    bool takesFocus() const { return takesFocus_; }
    int tabIndex = 0;
    bool tabStop = true;
    bool causesValidation = true;
    QString Tag;

    bool Enabled() const { return self_->isEnabled(); }
    // The control's own visibility, whether or not its window is on the screen.
    bool Visible() const { return !self_->isHidden(); }
    void Move(int left, int top, int width, int height); // twips
    void setHeight(int twips);
    void setWidth(int twips);
    int Left() const { return toTwips(self_->x()); }
    int Top() const { return toTwips(self_->y()); }
    int Width() const { return toTwips(self_->width()); }
    int Height() const { return toTwips(self_->height()); }
    QString ToolTipText() const { return self_->toolTip(); }
    void setToolTipText(const QString& text) { self_->setToolTip(text); }

    // Program-set focus: the window's focused control changes without asking Validate.
    void SetFocus();
    bool hasLogicalFocus() const;

    MouseHandler MouseMove;
    MouseHandler MouseDown;
    MouseHandler MouseUp;
    std::function<void()> Click;
    std::function<void()> DblClick;
    std::function<void()> GotFocus;
    std::function<void()> LostFocus;
    std::function<void(bool& cancel)> Validate;

    // Focus moved by the user's press: false when Validate kept it where it was.
    bool userFocus();
    // The control draws its focus mark now (see Form::showsFocusMark).
    bool showsFocusMark() const;
    virtual void repaintFocusMark();

    // A point of the widget, in pixels, in the units the mouse handlers receive: twips, or the
    // control's own scale; and back.
    virtual QPointF scaleFromPixels(QPointF pixels) const { return toTwips(pixels); }
    virtual QPointF pixelsFromScale(QPointF point) const { return point / TwipsPerPixel; }

protected:
    // Called on a real mouse event, before the widget's own handling. Returns
    // false when the event must not reach the widget (the focus was refused).
    bool handleMousePress(QMouseEvent* event);
    bool handleMouseRelease(QMouseEvent* event);
    void handleMouseMove(QMouseEvent* event);
    void handleFocusIn();
    // The user's click landed: Click runs.
    void performClick();
    bool gotFocusThisPress_ = false;

private:
    QWidget* self_;
    Form* form_ = nullptr;
    QString baseName_;
    int index_;
    bool takesFocus_;
    bool refusedPress_ = false;
};

int mouseButtonCode(Qt::MouseButton button);
bool isPointerEvent(QEvent::Type type);
int shiftCode(Qt::KeyboardModifiers modifiers);

// Binds the real widget's mouse and focus events to the control's rules once,
// for every kind of control.
template <class Base> class ControlWidget : public Base, public Control {
public:
    ControlWidget(QWidget* parent, const QString& name, int index, bool takesFocus)
        : Base(parent), Control(this, name, index, takesFocus) {
        this->setMouseTracking(true);
        this->setObjectName(fullName());
        // The focus comes by the keyboard, or with a press through the window's own rule
        // (handleMousePress), which asks Validate first; Qt's own focus on click and on the wheel
        // would move it before that rule could refuse.
        this->setFocusPolicy(takesFocus ? Qt::TabFocus : Qt::NoFocus);
    }

protected:
    // A disabled control leaves the pointer to what lies beneath it, its container or window, as
    // every widget does (Qt's buttons would keep it to themselves).
    bool event(QEvent* event) override {
        if (!this->isEnabled() && isPointerEvent(event->type())) {
            return false;
        }
        return Base::event(event);
    }
    void mousePressEvent(QMouseEvent* event) override {
        if (handleMousePress(event)) {
            Base::mousePressEvent(event);
        }
    }
    void mouseReleaseEvent(QMouseEvent* event) override {
        if (handleMouseRelease(event)) {
            Base::mouseReleaseEvent(event);
        }
    }
    void mouseMoveEvent(QMouseEvent* event) override {
        handleMouseMove(event);
        Base::mouseMoveEvent(event);
        // The move belongs to this control alone: passed on, it would reach the container's
        // and the window's rules too, which restore the resting colours just set.
        event->accept();
    }
    void focusInEvent(QFocusEvent* event) override {
        Base::focusInEvent(event);
        handleFocusIn();
    }
};

} // namespace platform
