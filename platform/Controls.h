#pragma once

#include "platform/Control.h"
#include "platform/Desktop.h"

#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollBar>
#include <QStyle>
#include <QWidget>
#include <optional>

class QPainter;

namespace platform {

// Alignment values of labels and grid cells.
enum class Alignment { Left, Right, Center };
// The alignment as the widgets take it, always centred vertically.
Qt::Alignment qtAlignment(Alignment alignment);

// The focus mark of the classic desktop round a rectangle of a control.
void drawFocusMark(QPainter& painter, const QRect& around, const QColor& color);

class TextBox : public ControlWidget<QLineEdit> {
public:
    TextBox(QWidget* parent, const QString& name, int index = -1);

    QString Text() const { return QLineEdit::text(); }
    // Raises Change when the text differs, like the user's own edit would.
    void setText(const QString& text);
    int MaxLength() const { return maxLength_; }
    void setMaxLength(int length) { maxLength_ = length; } // 0: no limit
    int SelStart() const;
    void setSelStart(int start);
    int SelLength() const;
    void setSelLength(int length);
    // The whole text selected, for retyping.
    void selectWhole();
    QString SelText() const { return selectedText(); }
    bool Locked() const { return isReadOnly(); }
    void setLocked(bool locked) { setReadOnly(locked); }
    QColor BackColor() const { return backColor_; }
    void setBackColor(const QColor& color);
    QColor ForeColor() const { return foreColor_; }
    void setForeColor(const QColor& color);
    Alignment TextAlignment() const { return alignment_; }
    void setTextAlignment(Alignment alignment);

    std::function<void()> Change;
    // The character typed, always a whole one (an emoji is one code beyond
    // 65535), or a control code such as 8 for Backspace and 22 for paste; the
    // rule may change it, or set 0 to drop it.
    std::function<void(int& keyAscii)> KeyPress;
    std::function<void(int& keyCode, int shift)> KeyDown;

    // One typed character (or control code): the key-press rule, then its effect.
    void userKeyPress(int keyAscii);
    // Text arriving without a key (paste, drop, input method) passes the
    // key-press rule one character at a time, so no filter is bypassed, then
    // what passed goes in as one insertion with one Change, cut to the box's
    // room at a whole character; a message its rules give is shown once.
    void insertFiltered(const QString& text);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    bool pressKeptSelection_ = false;
    void applyKey(int keyAscii);
    void insertTyped(const QString& text);
    void pasteFiltered();
    int maxLength_ = 0;
    QColor backColor_{Qt::white};
    QColor foreColor_{Qt::black};
    Alignment alignment_ = Alignment::Left;
};

class Label : public ControlWidget<QLabel> {
public:
    Label(QWidget* parent, const QString& name, int index = -1);
    QString Caption() const { return text(); }
    void setCaption(const QString& caption) { setText(caption); }
    QColor ForeColor() const { return foreColor_; }
    void setForeColor(const QColor& color);
    QColor BackColor() const { return backColor_; }
    void setBackColor(const QColor& color);
    void setBackStyleTransparent();
    void setTextAlignment(Alignment alignment);

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QColor foreColor_{Qt::black};
    QColor backColor_;
};

class CommandButton : public ControlWidget<QPushButton> {
public:
    CommandButton(QWidget* parent, const QString& name, int index = -1);
    QString Caption() const { return text(); }
    void setCaption(const QString& caption) { setText(caption); }
    QColor BackColor() const { return backColor_; }
    void setBackColor(const QColor& color);
    // How far the focus mark stands inside the button's edges, in pixels.
    static constexpr int FocusMarkInset = 4;

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QColor backColor_;
};

class OptionButton : public ControlWidget<QRadioButton> {
public:
    OptionButton(QWidget* parent, const QString& name, int index = -1);
    QString Caption() const { return text(); }
    void setCaption(const QString& caption) { setText(caption); }
    bool Value() const { return isChecked(); }
    // Selecting a button that was not selected raises its Click and clears
    // the other buttons of its container.
    void setValue(bool value);
    QColor BackColor() const { return backColor_; }
    void setBackColor(const QColor& color);

protected:
    void nextCheckState() override;
    void paintEvent(QPaintEvent* event) override;
    // The whole button takes the click, its blank part beyond the caption too.
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }

private:
    QColor backColor_;
    bool choiceChangedByClick_ = false;
};

class ComboBox : public ControlWidget<QComboBox> {
public:
    // A drop-down list takes no typed text; a drop-down combo does.
    ComboBox(QWidget* parent, const QString& name, int index = -1, bool dropDownList = true);
    void AddItem(const QString& item, int index = -1);
    void RemoveItem(int index);
    void Clear();
    int ListCount() const { return count(); }
    QString List(int index) const { return itemText(index); }
    int ListIndex() const { return currentIndex(); }
    // Raises Click when the position changes.
    void setListIndex(int index);
    QString Text() const { return currentText(); }
    void setText(const QString& text);
    qint32 ItemData(int index) const;
    void setItemData(int index, qint32 value);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool syncing_ = false;
    int lastIndex_ = -1;
};

class ListBox : public ControlWidget<QListWidget> {
public:
    enum class MultiSelect {
        None,   // one item chosen at a time
        Simple, // a click turns an item's choice round
    };

    ListBox(QWidget* parent, const QString& name, int index = -1);
    void setMultiSelect(MultiSelect mode);
    void AddItem(const QString& item, int index = -1);
    void RemoveItem(int index);
    void Clear();
    int ListCount() const { return count(); }
    QString List(int index) const;
    void setList(int index, const QString& text);
    int ListIndex() const { return currentRow(); }
    void setListIndex(int index);
    QString Text() const;
    qint32 ItemData(int index) const;
    void setItemData(int index, qint32 value);
    bool Selected(int index) const;
    void setSelected(int index, bool selected);
    void repaintFocusMark() override;

protected:
    void mousePressEvent(QMouseEvent* event) override;
    void paintEvent(QPaintEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;

private:
    bool clickedThisPress_ = false;
    bool syncing_ = false;
    int lastIndex_ = -1;
    MultiSelect multiSelect_ = MultiSelect::None;
};

class Frame : public ControlWidget<QGroupBox> {
public:
    Frame(QWidget* parent, const QString& name, int index = -1);
    QString Caption() const { return title(); }
    void setCaption(const QString& caption) { setTitle(caption); }
};

class PictureBox : public ControlWidget<QLabel> {
public:
    PictureBox(QWidget* parent, const QString& name, int index = -1);
    QColor BackColor() const { return backColor_; }
    void setBackColor(const QColor& color);
    void setPicture(const QString& resourcePath);

    // The units of the picture's inside: (ScaleLeft, ScaleTop) names its top-left corner and
    // ScaleWidth by ScaleHeight its size (negative sizes turn an axis round). Until a scale is
    // set the units are twips from the top-left corner.
    float ScaleLeft() const { return scale().left; }
    float ScaleTop() const { return scale().top; }
    float ScaleWidth() const { return scale().width; }
    float ScaleHeight() const { return scale().height; }
    // The corners (x1, y1) top-left and (x2, y2) bottom-right, in the new units.
    void Scale(float x1, float y1, float x2, float y2);

    QPointF scaleFromPixels(QPointF pixels) const override;
    QPointF pixelsFromScale(QPointF point) const override;

private:
    struct Units {
        float left = 0;
        float top = 0;
        float width = 0;
        float height = 0;
    };
    Units scale() const;
    QColor backColor_;
    std::optional<Units> userScale_;
};

class HScrollBar : public ControlWidget<QScrollBar> {
public:
    HScrollBar(QWidget* parent, const QString& name, int index = -1);
    int Min() const { return minimum(); }
    void setMin(int value) { setMinimum(value); }
    int Max() const { return maximum(); }
    void setMax(int value) { setMaximum(value); }
    // While the user drags the thumb, where the thumb stands.
    int Value() const { return isSliderDown() ? sliderPosition() : value(); }
    void setValue(int value) { QScrollBar::setValue(value); }
    int SmallChange() const { return singleStep(); }
    void setSmallChange(int value) { setSingleStep(value); }
    int LargeChange() const { return pageStep(); }
    void setLargeChange(int value) { setPageStep(value); }
    std::function<void()> Change;
    std::function<void()> Scroll;

    // Where the style lays out a part of the bar (its thumb, groove or arrows), in pixels.
    QRect partRect(QStyle::SubControl part) const;

protected:
    void paintEvent(QPaintEvent* event) override;
};

// A straight line between two points of its container.
class Line : public ControlWidget<QWidget> {
public:
    Line(QWidget* parent, const QString& name, int index = -1);
    void setPoints(int x1, int y1, int x2, int y2); // twips
    QColor BorderColor() const { return color_; }
    void setBorderColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor color_{Qt::black};
    bool horizontal_ = true;
};

class Shape : public ControlWidget<QWidget> {
public:
    Shape(QWidget* parent, const QString& name, int index = -1);
    QColor FillColor() const { return fill_; }
    void setFillColor(const QColor& color);
    QColor BorderColor() const { return border_; }
    void setBorderColor(const QColor& color);

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    QColor fill_{Qt::transparent};
    QColor border_{Qt::black};
};

// The invisible common-dialog control of a window: the save and colour dialogs.
class CommonDialog : public QObject {
public:
    CommonDialog(QObject* parent, const QString& name);
    // Flags of the save dialog that make it ask before it returns a name.
    static constexpr int OverwritePrompt = 0x2; // before replacing a file that exists
    static constexpr int CreatePrompt = 0x2000; // before creating a file that does not exist
    // Kept for the callers' record; the desktop's save dialog has no use for them.
    static constexpr int ExtensionDifferent = 0x400;
    static constexpr int FileMustExist = 0x1000;
    QString InitDir;
    QString Filter;
    int FilterIndex = 1;
    QString DefaultExt;
    int Flags = 0;
    QString FileName;
    QString FileTitle;
    QString DialogTitle;
    bool CancelError = false;
    QColor Color{Qt::black};
    // True when the user chose a file (FileName and FileTitle are set).
    bool ShowSave();
    bool ShowColor();
};

} // namespace platform
