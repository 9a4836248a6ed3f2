#include "platform/Form.h"

#include "platform/Controls.h"
#include "platform/Desktop.h"
#include "platform/Timer.h"

#include <QCloseEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QWindow>
#include <algorithm>

namespace platform {

Form::Form(const QString& name) : QWidget(nullptr) {
    setObjectName(name);
    setMouseTracking(true);
    setAttribute(Qt::WA_QuitOnClose, false);
}

Form::~Form() {
    for (Control* c : controls_) {
        c->detachFromForm();
    }
}

void Form::registerControl(Control* control) {
    control->tabIndex = static_cast<int>(controls_.size());
    controls_.push_back(control);
}

void Form::unregisterControl(Control* control) {
    controls_.erase(std::remove(controls_.begin(), controls_.end(), control), controls_.end());
}

Control* Form::control(const QString& fullName) const {
    for (Control* c : controls_) {
        if (c->fullName() == fullName) {
            return c;
        }
    }
    return nullptr;
}

std::vector<Control*> Form::controls() const {
    return controls_;
}

void Form::setClientSize(int widthTwips, int heightTwips) {
    setFixedSize(toPixels(widthTwips), toPixels(heightTwips));
}

int Form::Height() const {
    if (setHeight_ && setHeight_->pixels == height()) {
        return setHeight_->twips;
    }
    return toTwips(height()) + FrameHeightTwips;
}

void Form::setHeight(int twips) {
    setFixedHeight(std::max(toPixels(twips - FrameHeightTwips), 0));
    setHeight_ = SetHeight{twips, height()};
}

namespace {
QMargins frameMargins(const QWidget& window) {
    const QRect outer = window.frameGeometry();
    const QRect inner = window.geometry();
    return {inner.left() - outer.left(), inner.top() - outer.top(), outer.right() - inner.right(),
            outer.bottom() - inner.bottom()};
}

// The start of a length laid centred over another, kept within the area's span where it fits.
int centredStart(int overStart, int overLength, int length, int areaStart, int areaLength) {
    const int start = overStart + (overLength - length) / 2;
    return std::max(areaStart, std::min(start, areaStart + areaLength - length));
}
} // namespace

void Form::placeOnOpening(const Form* opener) {
    if (placed_ && startUpPosition == StartUpPosition::CenterScreen) {
        return; // a page comes back where it was left
    }
    placed_ = true;
    const bool overOpener = startUpPosition == StartUpPosition::CenterOwner && opener &&
                            opener != this && opener->isVisible();
    const QScreen* screen = overOpener ? opener->screen() : QGuiApplication::primaryScreen();
    const Placing placing{overOpener ? opener->frameGeometry() : screen->availableGeometry(),
                          screen->availableGeometry()};
    // Without a frame known the window is placed again once the desktop tells it.
    const QMargins frame = expectedFrame();
    frameUnknown_ = frame.isNull() ? std::optional<Placing>(placing) : std::nullopt;
    centre(placing, frame);
}

QMargins Form::expectedFrame() const {
    // Until a window has been shown the desktop has not told its frame; the windows of its kind
    // already shown have the same.
    const QMargins own = frameMargins(*this);
    if (!own.isNull()) {
        return own;
    }
    for (const QString& name : windows().loadedNames()) {
        const Form* other = windows().find(name);
        if (other != this && other->isVisible() && other->windowType() == windowType()) {
            return frameMargins(*other);
        }
    }
    return {};
}

void Form::centre(const Placing& placing, const QMargins& frame) {
    const QSize outer = size().grownBy(frame);
    const QRect& over = placing.over;
    const QRect& area = placing.area;
    // The position of a window is that of its frame's top-left corner.
    move(centredStart(over.x(), over.width(), outer.width(), area.x(), area.width()),
         centredStart(over.y(), over.height(), outer.height(), area.y(), area.height()));
}

void Form::placeAgainOnceFrameKnown() {
    const QMargins frame = frameMargins(*this);
    if (frameUnknown_ && !frame.isNull()) {
        const Placing placing = *frameUnknown_;
        frameUnknown_.reset();
        centre(placing, frame);
    }
}

void Form::Show() {
    if (isHidden()) {
        placeOnOpening(windows().active());
    }
    show();
    placeAgainOnceFrameKnown();
    if (windows().followSystemActivation) {
        raise();
        activateWindow();
    }
    windows().activate(this);
    if (isVisible() && !focused_) {
        focusFirstControl();
    }
}

void Form::ShowModal() {
    modal_ = true;
    setWindowModality(Qt::ApplicationModal);
    Show();
    QPointer<Form> self(this);
    desktop().runModalLoop([self] { return self && self->isVisible() && self->modal_; });
    if (self) {
        self->modal_ = false;
        self->setWindowModality(Qt::NonModal);
    }
}

void Form::Hide() {
    if (isHidden()) {
        return;
    }
    hide();
    modal_ = false;
    windows().formHidden(this);
}

void Form::SetVisible(bool visible) {
    if (visible) {
        Show();
    } else {
        Hide();
    }
}

Control* Form::ActiveControl() const {
    return focused_ ? dynamic_cast<Control*>(focused_.data()) : nullptr;
}

bool Form::showsFocusMark(const Control* control) const {
    return focusMarked_ && control && ActiveControl() == control && windows().active() == this &&
           control->widget()->isEnabled();
}

void Form::repaintFocusMark() const {
    if (Control* current = ActiveControl()) {
        current->repaintFocusMark();
    }
}

bool Form::moveFocus(Control* target, FocusCause cause) {
    if (!target || !target->takesFocus()) {
        return false;
    }
    const bool byUser = cause != FocusCause::Program;
    Control* current = ActiveControl();
    if (current == target) {
        if (!target->widget()->hasFocus()) {
            target->widget()->setFocus(Qt::OtherFocusReason);
        }
        if (cause != FocusCause::Mouse && !focusMarked_) {
            focusMarked_ = true;
            target->repaintFocusMark();
        }
        return true;
    }
    if (byUser && current && current->Validate && target->causesValidation) {
        bool cancel = false;
        current->Validate(cancel);
        if (cancel) {
            if (ActiveControl() == current) {
                current->widget()->setFocus(Qt::OtherFocusReason);
            }
            return false;
        }
    }
    const bool announceLoss = current && focusAnnounced_;
    focused_ = target->widget();
    focusMarked_ = cause != FocusCause::Mouse;
    if (current) {
        current->repaintFocusMark();
    }
    target->repaintFocusMark();
    focusAnnounced_ = false;
    const int generation = ++focusGeneration_;
    target->widget()->setFocus(Qt::OtherFocusReason);
    if (announceLoss && current->LostFocus) {
        current->LostFocus();
    }
    // A lost-focus rule may have taken the focus back; then the target never had it.
    if (generation == focusGeneration_ && ActiveControl() == target) {
        focusAnnounced_ = true;
        if (target->GotFocus) {
            target->GotFocus();
        }
    }
    return true;
}

namespace {
// An option button is a tab stop only while it is the selected one of its
// group, or while no button of its group is selected.
bool isOptionTabStop(const OptionButton* option) {
    if (option->Value()) {
        return true;
    }
    for (const QObject* sibling : option->parentWidget()->children()) {
        const auto* other = dynamic_cast<const OptionButton*>(sibling);
        if (other && other != option && other->Value()) {
            return false;
        }
    }
    return true;
}
} // namespace

std::vector<Control*> Form::tabOrder() const {
    std::vector<Control*> order;
    for (Control* c : controls_) {
        const auto* option = dynamic_cast<const OptionButton*>(c);
        if (c->takesFocus() && c->tabStop && c->widget()->isEnabled() &&
            c->widget()->isVisibleTo(this) &&
            (!option || c == ActiveControl() || isOptionTabStop(option))) {
            order.push_back(c);
        }
    }
    std::stable_sort(order.begin(), order.end(),
                     [](Control* a, Control* b) { return a->tabIndex < b->tabIndex; });
    return order;
}

void Form::focusFirstControl() {
    const std::vector<Control*> order = tabOrder();
    if (!order.empty()) {
        moveFocus(order.front(), FocusCause::Program);
    }
}

bool Form::tabToNext(bool forward) {
    const std::vector<Control*> order = tabOrder();
    if (order.empty()) {
        return false;
    }
    auto it = std::find(order.begin(), order.end(), ActiveControl());
    Control* next = nullptr;
    if (it == order.end()) {
        next = forward ? order.front() : order.back();
    } else if (forward) {
        next = (it + 1 == order.end()) ? order.front() : *(it + 1);
    } else {
        next = (it == order.begin()) ? order.back() : *(it - 1);
    }
    return moveFocus(next, FocusCause::Keyboard);
}

bool Form::focusNextPrevChild(bool next) {
    tabToNext(next);
    return true;
}

void Form::userClose() {
    windows().unload(*this, UnloadMode::CloseBox);
}

void Form::closeEvent(QCloseEvent* event) {
    // Closing always goes through the window's own unload rules; the widget
    // itself is never closed by the desktop.
    event->ignore();
    runDeliveredHandler([this] { userClose(); });
}

void Form::mouseMoveEvent(QMouseEvent* event) {
    int buttons = 0;
    if (event->buttons() & Qt::LeftButton) {
        buttons |= LeftButton;
    }
    if (event->buttons() & Qt::RightButton) {
        buttons |= RightButton;
    }
    const QPointF at = toTwips(event->position());
    Form_MouseMove(buttons, shiftCode(event->modifiers()), static_cast<float>(at.x()),
                   static_cast<float>(at.y()));
}

void Form::mousePressEvent(QMouseEvent* event) {
    if (windows().active() != this && isVisible()) {
        windows().activate(this);
    }
    const QPointF at = toTwips(event->position());
    Form_MouseDown(mouseButtonCode(event->button()), shiftCode(event->modifiers()),
                   static_cast<float>(at.x()), static_cast<float>(at.y()));
}

void Form::mouseReleaseEvent(QMouseEvent* event) {
    const QPointF at = toTwips(event->position());
    Form_MouseUp(mouseButtonCode(event->button()), shiftCode(event->modifiers()),
                 static_cast<float>(at.x()), static_cast<float>(at.y()));
}

bool Form::event(QEvent* event) {
    if (event->type() == QEvent::Move) {
        // A window manager tells the frame it put round the window with a move.
        placeAgainOnceFrameKnown();
    }
    if (event->type() == QEvent::WindowActivate && windows().followSystemActivation &&
        isVisible() && windows().active() != this && windowHandle() &&
        QGuiApplication::focusWindow() == windowHandle()) {
        // The user brought this window to the front with the mouse or keyboard.
        windows().activate(this);
    }
    return QWidget::event(event);
}

// ---- Windows ----

void Windows::DeferredDelete::operator()(Form* form) const {
    // Code of the window may still be running (it may have unloaded itself):
    // the object goes only when the program is back in its event loop.
    form->deleteLater();
}

Windows& windows() {
    static Windows instance;
    return instance;
}

void Windows::add(const QString& name, Factory factory) {
    factories_[name] = std::move(factory);
}

Form& Windows::get(const QString& name) {
    auto it = loaded_.find(name);
    if (it != loaded_.end()) {
        return *it->second;
    }
    auto factory = factories_.find(name);
    if (factory == factories_.end()) {
        qFatal("unknown window %s", qPrintable(name));
    }
    std::unique_ptr<Form> made = factory->second();
    Form* form = made.get();
    loaded_.emplace(name, std::unique_ptr<Form, DeferredDelete>(made.release()));
    form->Form_Load();
    return *form;
}

Form* Windows::find(const QString& name) const {
    auto it = loaded_.find(name);
    return it == loaded_.end() ? nullptr : it->second.get();
}

QStringList Windows::loadedNames() const {
    QStringList names;
    for (const auto& entry : loaded_) {
        names << entry.first;
    }
    return names;
}

bool Windows::unload(Form& form, UnloadMode mode) {
    const QString name = form.formName();
    auto it = loaded_.find(name);
    if (it == loaded_.end() || it->second.get() != &form) {
        return true; // already unloaded
    }
    bool cancel = false;
    form.Form_QueryUnload(cancel, mode);
    if (cancel) {
        return false;
    }
    form.Form_Unload(cancel);
    if (cancel) {
        return false;
    }
    for (QObject* child : form.findChildren<QObject*>()) {
        if (auto* timer = dynamic_cast<Timer*>(child)) {
            timer->setEnabled(false);
        }
    }
    it = loaded_.find(name);
    if (it == loaded_.end() || it->second.get() != &form) {
        return true; // an unload handler unloaded it already
    }
    std::unique_ptr<Form, DeferredDelete> dying = std::move(it->second);
    loaded_.erase(it);
    recent_.erase(std::remove(recent_.begin(), recent_.end(), QPointer<Form>(&form)),
                  recent_.end());
    const bool wasVisible = form.isVisible();
    form.hide();
    if (wasVisible || active_ == &form) {
        formHidden(&form);
    }
    dying.reset();
    if (loaded_.empty()) {
        desktop().lastWindowUnloaded();
    }
    return true;
}

void Windows::discardAll() {
    active_ = nullptr;
    recent_.clear();
    for (auto& entry : loaded_) {
        entry.second->hide();
    }
    loaded_.clear();
}

void Windows::activate(Form* form) {
    if (!form || active_ == form) {
        return;
    }
    // Only the active window shows its focus mark.
    const QPointer<Form> previous = active_;
    active_ = form;
    if (previous) {
        previous->repaintFocusMark();
    }
    form->repaintFocusMark();
    recent_.erase(std::remove(recent_.begin(), recent_.end(), QPointer<Form>(form)), recent_.end());
    recent_.insert(recent_.begin(), QPointer<Form>(form));
    form->Form_Activate();
}

void Windows::formHidden(Form* form) {
    if (active_ != form) {
        return;
    }
    active_ = nullptr;
    form->repaintFocusMark();
    // The most recently active window that is still visible takes the activation back.
    const std::vector<QPointer<Form>> candidates = recent_;
    for (const QPointer<Form>& candidate : candidates) {
        if (candidate && candidate != form && candidate->isVisible() &&
            find(candidate->formName()) == candidate) {
            if (followSystemActivation) {
                candidate->activateWindow();
            }
            activate(candidate);
            return;
        }
    }
}

bool unload(Form& form) {
    return windows().unload(form, UnloadMode::Program);
}

} // namespace platform
