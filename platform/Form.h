#pragma once

#include "platform/Control.h"

#include <QPointer>
#include <QString>
#include <QWidget>
#include <functional>
#include <map>
#include <memory>
#include <optional>
#include <vector>

namespace platform {

// The caption bar and the borders that a window's outer height counts besides its client area.
constexpr int FrameHeightTwips = 360;

// How a window finds its place when it opens.
enum class StartUpPosition {
    CenterScreen, // a page: centred on the screen the first time, then where it was left
    CenterOwner,  // a dialog: centred over the window that opened it, every time it opens
};

// What moved the focus: the mouse, the keyboard, or the program itself (a window opening, a
// rule). Only a control that got the focus without the mouse shows the focus mark.
enum class FocusCause { Mouse, Keyboard, Program };

enum class UnloadMode {
    CloseBox, // the user closed the window with its close box or window menu
    Program,  // the program unloaded it
};

// A window of the editor. Each window has one default instance, made and
// loaded by its first touch (see Windows), hidden until it is shown.
class Form : public QWidget {
public:
    explicit Form(const QString& name);
    ~Form() override;

    QString formName() const { return objectName(); }

    // The window's rules; a window overrides those it has.
    virtual void Form_Load() {}
    virtual void Form_Activate() {}
    virtual void Form_QueryUnload(bool& cancel, UnloadMode mode) {
        (void)cancel;
        (void)mode;
    }
    virtual void Form_Unload(bool& cancel) { (void)cancel; }
    virtual void Form_MouseMove(int button, int shift, float x, float y) {
        (void)button, (void)shift, (void)x, (void)y;
    }
    virtual void Form_MouseDown(int button, int shift, float x, float y) {
        (void)button, (void)shift, (void)x, (void)y;
    }
    virtual void Form_MouseUp(int button, int shift, float x, float y) {
        (void)button, (void)shift, (void)x, (void)y;
    }

    // Shows the window modeless: visible, raised and active.
    void Show();
    // Shows the window and waits, running the program's events, until it is hidden or unloaded.
    void ShowModal();
    void Hide();
    bool Visible() const { return isVisible(); }
    void SetVisible(bool visible);
    bool isModalShowing() const { return modal_; }

    QString Caption() const { return windowTitle(); }
    void setCaption(const QString& caption) { setWindowTitle(caption); }
    void setClientSize(int widthTwips, int heightTwips);
    // The window's outer height in twips: its client area and the frame of a fixed dialog on the
    // desktop the layouts were made for (FrameHeightTwips), whatever frame this desktop draws,
    // so that a window set to a height gets the same client area everywhere.
    // A height set in twips reads back as set, though the screen shows it in whole pixels.
    int Height() const;
    void setHeight(int twips);
    QString Tag;
    StartUpPosition startUpPosition = StartUpPosition::CenterScreen;

    // Focus within this window, kept by the window itself so the rules hold
    // without a window manager.
    Control* ActiveControl() const;
    // Moves the focus; by the user, Validate of the box being left may refuse.
    bool moveFocus(Control* target, FocusCause cause);
    // The focused control shows where the focus is: it got it by the keyboard or from the
    // program, and this is the program's active window.
    bool showsFocusMark(const Control* control) const;
    void repaintFocusMark() const;
    void focusFirstControl();
    bool tabToNext(bool forward);

    Control* control(const QString& fullName) const;
    std::vector<Control*> controls() const;

    void registerControl(Control* control);
    void unregisterControl(Control* control);

    // The user closes the window with its close box.
    void userClose();

protected:
    void closeEvent(QCloseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    bool focusNextPrevChild(bool next) override;
    bool event(QEvent* event) override;

private:
    // Where the window opens: see StartUpPosition. The window it opens over, if any.
    void placeOnOpening(const Form* opener);
    struct Placing {
        QRect over; // what the window is centred over
        QRect area; // what it stays within
    };
    QMargins expectedFrame() const;
    void centre(const Placing& placing, const QMargins& frame);
    void placeAgainOnceFrameKnown();
    // The controls the Tab key visits, in their order.
    std::vector<Control*> tabOrder() const;
    std::vector<Control*> controls_;
    QPointer<QWidget> focused_;
    bool focusAnnounced_ = false;
    bool focusMarked_ = false;
    bool placed_ = false;
    std::optional<Placing> frameUnknown_; // placed before the desktop told its frame
    int focusGeneration_ = 0;
    bool modal_ = false;
    struct SetHeight {
        int twips = 0;
        int pixels = 0;
    };
    std::optional<SetHeight> setHeight_;
};

// The default instances of all windows, the activation rule and unloading.
class Windows {
public:
    using Factory = std::function<std::unique_ptr<Form>()>;

    void add(const QString& name, Factory factory);
    template <class T> void add() {
        add(QString::fromLatin1(T::Name), [] { return std::make_unique<T>(); });
    }

    // The window's default instance, loaded (Form_Load run) when it was not.
    Form& get(const QString& name);
    // The instance when loaded; never loads.
    Form* find(const QString& name) const;
    bool isLoaded(const QString& name) const { return find(name) != nullptr; }
    bool isKnown(const QString& name) const { return factories_.count(name) != 0; }
    QStringList loadedNames() const;

    // Runs QueryUnload and Unload; false when either cancelled.
    bool unload(Form& form, UnloadMode mode);
    // Drops every window at once, asking nothing (the end of a test).
    void discardAll();

    Form* active() const { return active_; }
    void activate(Form* form);
    void formHidden(Form* form);
    // When false, the desktop's window activation is not followed (headless runs).
    bool followSystemActivation = true;

private:
    struct DeferredDelete {
        void operator()(Form* form) const;
    };
    std::map<QString, Factory> factories_;
    std::map<QString, std::unique_ptr<Form, DeferredDelete>> loaded_;
    QPointer<Form> active_;
    std::vector<QPointer<Form>> recent_; // most recently active first
};

Windows& windows();

template <class T> T& window() {
    return static_cast<T&>(windows().get(QString::fromLatin1(T::Name)));
}
template <class T> bool isLoaded() {
    return windows().isLoaded(QString::fromLatin1(T::Name));
}
// Unloads the window by the program's own request.
bool unload(Form& form);

} // namespace platform
