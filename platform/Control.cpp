#include "platform/Control.h"

#include "platform/Form.h"

#include <QApplication>
#include <QPalette>

namespace platform {

QColor systemWindowText() {
    return QApplication::palette().color(QPalette::WindowText);
}
QColor systemHighlight() {
    return QApplication::palette().color(QPalette::Highlight);
}
QColor systemButtonFace() {
    return QApplication::palette().color(QPalette::Button);
}
QColor systemWindow() {
    return QApplication::palette().color(QPalette::Base);
}

int mouseButtonCode(Qt::MouseButton button) {
    switch (button) {
    case Qt::LeftButton:
        return LeftButton;
    case Qt::RightButton:
        return RightButton;
    case Qt::MiddleButton:
        return MiddleButton;
    default:
        return 0;
    }
}

bool isPointerEvent(QEvent::Type type) {
    switch (type) {
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::MouseMove:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
        return true;
    default:
        return false;
    }
}

int shiftCode(Qt::KeyboardModifiers modifiers) {
    int code = 0;
    if (modifiers & Qt::ShiftModifier) {
        code |= 1;
    }
    if (modifiers & Qt::ControlModifier) {
        code |= 2;
    }
    if (modifiers & Qt::AltModifier) {
        code |= 4;
    }
    return code;
}

namespace {
int heldButtons(Qt::MouseButtons buttons) {
    int code = 0;
    for (Qt::MouseButton b : {Qt::LeftButton, Qt::RightButton, Qt::MiddleButton}) {
        if (buttons & b) {
            code |= mouseButtonCode(b);
        }
    }
    return code;
}
} // namespace

Control::Control(QWidget* self, const QString& name, int index, bool takesFocus)
    : self_(self), baseName_(name), index_(index), takesFocus_(takesFocus) {
    for (QWidget* w = self->parentWidget(); w; w = w->parentWidget()) {
        if (auto* f = dynamic_cast<Form*>(w)) {
            form_ = f;
            break;
        }
    }
    if (form_) {
        form_->registerControl(this);
    }
}

Control::~Control() {
    if (form_) {
        form_->unregisterControl(this);
    }
}

QString Control::fullName() const {
    return index_ < 0 ? baseName_ : QStringLiteral("%1(%2)").arg(baseName_).arg(index_);
}

void Control::Move(int left, int top, int width, int height) {
    self_->setGeometry(toPixels(left), toPixels(top), toPixels(width), toPixels(height));
}

void Control::setHeight(int twips) {
    self_->resize(self_->width(), toPixels(twips));
}
void Control::setWidth(int twips) {
    self_->resize(toPixels(twips), self_->height());
}

void Control::SetFocus() {
    if (form_) {
        form_->moveFocus(this, FocusCause::Program);
    }
}

bool Control::hasLogicalFocus() const {
    return form_ && form_->ActiveControl() == this;
}

bool Control::showsFocusMark() const {
    return form_ && form_->showsFocusMark(this);
}

void Control::repaintFocusMark() {
    self_->update();
}

bool Control::userFocus() {
    if (!form_ || !takesFocus_) {
        return true;
    }
    return form_->moveFocus(this, FocusCause::Mouse);
}

void Control::performClick() {
    if (Click) {
        Click();
    }
}

bool Control::handleMousePress(QMouseEvent* event) {
    refusedPress_ = false;
    gotFocusThisPress_ = false;
    if (form_ && windows().active() != form_ && form_->isVisible()) {
        windows().activate(form_);
    }
    if (takesFocus_ && !hasLogicalFocus()) {
        if (!userFocus()) {
            refusedPress_ = true;
            event->accept();
            return false;
        }
        gotFocusThisPress_ = true;
    }
    if (MouseDown) {
        const QPointF at = scaleFromPixels(event->position());
        MouseDown(mouseButtonCode(event->button()), shiftCode(event->modifiers()),
                  static_cast<float>(at.x()), static_cast<float>(at.y()));
    }
    return true;
}

bool Control::handleMouseRelease(QMouseEvent* event) {
    if (refusedPress_) {
        refusedPress_ = false;
        event->accept();
        return false;
    }
    if (MouseUp) {
        const QPointF at = scaleFromPixels(event->position());
        MouseUp(mouseButtonCode(event->button()), shiftCode(event->modifiers()),
                static_cast<float>(at.x()), static_cast<float>(at.y()));
    }
    return true;
}

void Control::handleMouseMove(QMouseEvent* event) {
    if (MouseMove) {
        const QPointF at = scaleFromPixels(event->position());
        MouseMove(heldButtons(event->buttons()), shiftCode(event->modifiers()),
                  static_cast<float>(at.x()), static_cast<float>(at.y()));
    }
}

void Control::handleFocusIn() {
    // The desktop moved the keyboard focus here (a click, a window coming
    // back): keep the window's own record of its focused control in step.
    if (form_ && takesFocus_ && !hasLogicalFocus()) {
        form_->moveFocus(this, FocusCause::Mouse);
    }
}

} // namespace platform
