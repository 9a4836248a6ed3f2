#include "platform/Controls.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QContextMenuEvent>
#include <QFileInfo>
#include <QImage>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMenu>
#include <QMimeData>
#include <QPainter>
#include <QResource>
#include <QStyleOptionButton>
#include <QStyleOptionComboBox>
#include <QStyleOptionSlider>
#include <QStylePainter>
#include <QtEndian>
#include <memory>
#include <utility>

namespace platform {
namespace {

void fillBackground(QWidget* w, QPalette::ColorRole role, const QColor& color) {
    QPalette palette = w->palette();
    palette.setColor(role, color);
    w->setPalette(palette);
    w->setAutoFillBackground(true);
}

// A button's edges: raised at rest, sunk while it is held down. The face between them keeps the
// button's own colour, flat.
void drawButtonEdges(QPainter& painter, const QRect& face, bool down) {
    const QColor light(255, 255, 255);
    const QColor shadow(160, 160, 160);
    const QColor dark(64, 64, 64);
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    const QRect inner = face.adjusted(1, 1, -1, -1);
    if (down) {
        painter.setPen(dark);
        painter.drawRect(face.adjusted(0, 0, -1, -1));
        painter.setPen(shadow);
        painter.drawLine(inner.topLeft(), inner.topRight());
        painter.drawLine(inner.topLeft(), inner.bottomLeft());
    } else {
        painter.setPen(light);
        painter.drawLine(face.topLeft(), face.topRight());
        painter.drawLine(face.topLeft(), face.bottomLeft());
        painter.setPen(dark);
        painter.drawLine(face.bottomLeft(), face.bottomRight());
        painter.drawLine(face.topRight(), face.bottomRight());
        painter.setPen(shadow);
        painter.drawLine(inner.bottomLeft(), inner.bottomRight());
        painter.drawLine(inner.topRight(), inner.bottomRight());
    }
    painter.restore();
}

// The pixels of an embedded picture, which the build stores ready to draw under :/pixels (see
// tools/picture_packer). Reading a picture file would cost the splash window a millisecond of
// start-up: looking for image plugins, then decoding.
QImage embeddedPicture(const QString& resourcePath) {
    const QResource pixels(QStringLiteral(":/pixels/") + resourcePath.mid(2));
    constexpr qint64 HeaderSize = 4 * sizeof(quint32);
    if (!pixels.isValid() || pixels.compressionAlgorithm() != QResource::NoCompression ||
        pixels.size() < HeaderSize) {
        return {};
    }
    const uchar* header = pixels.data();
    const auto number = [header](int i) {
        return static_cast<int>(qFromLittleEndian<quint32>(header + i * sizeof(quint32)));
    };
    const int width = number(0), height = number(1), bytesPerLine = number(2);
    if (width <= 0 || height <= 0 || bytesPerLine <= 0 ||
        pixels.size() - HeaderSize < static_cast<qint64>(height) * bytesPerLine) {
        return {};
    }
    // The program's own memory holds the pixels for as long as it runs: nothing is copied,
    // unless the lines are not aligned as drawing needs them.
    const uchar* lines = header + HeaderSize;
    const QImage picture(lines, width, height, bytesPerLine,
                         static_cast<QImage::Format>(number(3)));
    return reinterpret_cast<quintptr>(lines) % alignof(quint32) == 0 ? picture : picture.copy();
}

// The whole character that starts at position i of the text, a surrogate pair as one code; its
// length in places goes to length. Half of a pair standing alone is no character: 0.
int characterAt(QStringView text, qsizetype i, qsizetype& length) {
    const QChar first = text[i];
    length = 1;
    if (!first.isSurrogate()) {
        return first.unicode();
    }
    if (first.isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate()) {
        length = 2;
        return static_cast<int>(QChar::surrogateToUcs4(first, text[i + 1]));
    }
    return 0;
}

// A code that can stand in a one-line box as a character of its own.
bool isBoxCharacter(int code) {
    return code >= 32 && code != 127 && code <= 0x10FFFF && !QChar::isSurrogate(char32_t(code));
}

void appendCharacter(QString& text, int code) {
    const auto character = static_cast<char32_t>(code);
    if (QChar::requiresSurrogates(character)) {
        text.append(QChar(QChar::highSurrogate(character)));
        text.append(QChar(QChar::lowSurrogate(character)));
    } else {
        text.append(QChar(character));
    }
}

// How many places the box can still take in place of its selection: its own MaxLength, or the
// longest text a line box holds at all.
int roomIn(const TextBox& box) {
    const int limit =
        box.MaxLength() > 0 ? std::min(box.MaxLength(), box.maxLength()) : box.maxLength();
    return limit - static_cast<int>(box.Text().size()) + box.SelLength();
}

// The character code a key press delivers to a KeyPress rule, or 0 for keys
// that deliver none (arrows, Delete, function keys). A character beyond the
// first 65,536 (an emoji) comes whole, as one code.
int keyAsciiFor(const QKeyEvent* event) {
    const bool control = event->modifiers() & Qt::ControlModifier;
    if (control && event->key() >= Qt::Key_A && event->key() <= Qt::Key_Z) {
        return event->key() - Qt::Key_A + 1; // Ctrl+A = 1 ... Ctrl+V = 22
    }
    switch (event->key()) {
    case Qt::Key_Backspace:
        return 8;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return 13;
    case Qt::Key_Escape:
        return 27;
    default:
        break;
    }
    const QString text = event->text();
    if (text.isEmpty() || control) {
        return 0;
    }
    qsizetype length = 0;
    const int code = characterAt(text, 0, length);
    return isBoxCharacter(code) ? code : 0;
}

} // namespace

// The focus mark of the classic desktop: a dotted rectangle, every other pixel of its edges lit,
// its top-left corner among them. Drawn dot by dot, so it looks the same on every screen.
void drawFocusMark(QPainter& painter, const QRect& around, const QColor& color) {
    QPolygon dots;
    const auto dot = [&](int x, int y) {
        if ((x - around.left() + y - around.top()) % 2 == 0) {
            dots << QPoint(x, y);
        }
    };
    for (int x = around.left(); x <= around.right(); ++x) {
        dot(x, around.top());
        dot(x, around.bottom());
    }
    for (int y = around.top() + 1; y < around.bottom(); ++y) {
        dot(around.left(), y);
        dot(around.right(), y);
    }
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, false);
    painter.setPen(QPen(color, 0));
    painter.drawPoints(dots);
    painter.restore();
}

Qt::Alignment qtAlignment(Alignment alignment) {
    switch (alignment) {
    case Alignment::Right:
        return Qt::AlignRight | Qt::AlignVCenter;
    case Alignment::Center:
        return Qt::AlignHCenter | Qt::AlignVCenter;
    case Alignment::Left:
        break;
    }
    return Qt::AlignLeft | Qt::AlignVCenter;
}

// ---- TextBox ----

TextBox::TextBox(QWidget* parent, const QString& name, int index)
    : ControlWidget<QLineEdit>(parent, name, index, true) {
    QObject::connect(this, &QLineEdit::textChanged, this, [this] {
        if (Change) {
            Change();
        }
    });
    setBackColor(Qt::white);
}

void TextBox::setText(const QString& text) {
    if (text == QLineEdit::text()) {
        return;
    }
    QLineEdit::setText(text);
}

int TextBox::SelStart() const {
    return hasSelectedText() ? selectionStart() : cursorPosition();
}

void TextBox::setSelStart(int start) {
    deselect();
    setCursorPosition(std::clamp(start, 0, static_cast<int>(text().size())));
}

int TextBox::SelLength() const {
    return static_cast<int>(selectedText().size());
}

void TextBox::setSelLength(int length) {
    const int start = SelStart();
    setSelection(start, std::clamp(length, 0, static_cast<int>(text().size()) - start));
}

void TextBox::selectWhole() {
    setSelStart(0);
    setSelLength(static_cast<int>(text().size()));
}

void TextBox::setBackColor(const QColor& color) {
    backColor_ = color;
    fillBackground(this, QPalette::Base, color);
}

void TextBox::setForeColor(const QColor& color) {
    foreColor_ = color;
    QPalette palette = this->palette();
    palette.setColor(QPalette::Text, color);
    setPalette(palette);
}

void TextBox::setTextAlignment(Alignment alignment) {
    alignment_ = alignment;
    setAlignment(qtAlignment(alignment));
}

void TextBox::userKeyPress(int keyAscii) {
    if (KeyPress) {
        KeyPress(keyAscii);
    }
    if (keyAscii != 0) {
        applyKey(keyAscii);
    }
}

void TextBox::applyKey(int keyAscii) {
    switch (keyAscii) {
    case 8:
        if (!isReadOnly()) {
            backspace();
        }
        return;
    case 1:
        selectAll();
        return;
    case 3:
        copy();
        return;
    case 22:
        pasteFiltered();
        return;
    case 24:
        if (!isReadOnly()) {
            cut();
        }
        return;
    case 26:
        if (!isReadOnly()) {
            undo();
        }
        return;
    default:
        break;
    }
    if (isBoxCharacter(keyAscii)) {
        QString character;
        appendCharacter(character, keyAscii);
        insertTyped(character);
    }
}

void TextBox::insertTyped(const QString& text) {
    if (isReadOnly()) {
        return;
    }
    qsizetype fits = std::min<qsizetype>(text.size(), roomIn(*this));
    // Half a character never goes in: one that would cross the limit stays out whole.
    if (fits > 0 && fits < text.size() && text.at(fits - 1).isHighSurrogate()) {
        --fits;
    }
    if (fits > 0) {
        insert(text.left(fits));
    }
}

void TextBox::insertFiltered(const QString& text) {
    // The user did one thing: a rule that refuses the text says so once.
    const OneNoticePerInput oneNotice;
    // Each character passes the key-press rule as if typed, then what passed goes in as one
    // insertion with one Change, as a paste does: typing it in one by one would lay the line out
    // and run its rules once a character, and a rule that selects the text it refuses would
    // have the next character replace what came before.
    const qsizetype room = std::max(0, roomIn(*this));
    QString accepted;
    accepted.reserve(std::min(text.size(), room + 1));
    for (qsizetype i = 0, length = 0; i < text.size() && accepted.size() < room; i += length) {
        int code = characterAt(text, i, length);
        if (!isBoxCharacter(code)) {
            continue; // line breaks, tabs and half characters cannot stand in a one-line box
        }
        if (KeyPress) {
            KeyPress(code);
        }
        if (isBoxCharacter(code)) {
            appendCharacter(accepted, code);
        }
    }
    insertTyped(accepted);
}

void TextBox::pasteFiltered() {
    if (!isReadOnly()) {
        insertFiltered(QApplication::clipboard()->text());
    }
}

void TextBox::keyPressEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Tab || event->key() == Qt::Key_Backtab) {
        QLineEdit::keyPressEvent(event);
        return;
    }
    if (KeyDown) {
        int keyCode = event->key();
        KeyDown(keyCode, shiftCode(event->modifiers()));
    }
    const int keyAscii = keyAsciiFor(event);
    if (keyAscii == 0) {
        // Keys without a character (arrows, Home, End, Delete) edit as usual.
        if (event->modifiers() & Qt::ControlModifier &&
            (event->key() == Qt::Key_Insert || event->key() == Qt::Key_Y)) {
            return;
        }
        if (event->modifiers() & Qt::ShiftModifier && event->key() == Qt::Key_Insert) {
            userKeyPress(22); // Shift+Insert pastes: it must pass the filter too
            return;
        }
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    userKeyPress(keyAscii);
}

void TextBox::inputMethodEvent(QInputMethodEvent* event) {
    const QString committed = event->commitString();
    QInputMethodEvent preeditOnly(event->preeditString(), event->attributes());
    QLineEdit::inputMethodEvent(&preeditOnly);
    if (!committed.isEmpty()) {
        insertFiltered(committed);
    }
    event->accept();
}

void TextBox::dropEvent(QDropEvent* event) {
    if (event->mimeData() && event->mimeData()->hasText() && !isReadOnly()) {
        insertFiltered(event->mimeData()->text());
    }
    event->acceptProposedAction();
}

void TextBox::contextMenuEvent(QContextMenuEvent* event) {
    QMenu* menu = createStandardContextMenu();
    for (QAction* action : menu->actions()) {
        if (action->objectName() == QLatin1String("edit-paste")) {
            QObject::disconnect(action, &QAction::triggered, nullptr, nullptr);
            QObject::connect(action, &QAction::triggered, this, [this] { pasteFiltered(); });
        }
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(event->globalPos());
}

void TextBox::mousePressEvent(QMouseEvent* event) {
    pressKeptSelection_ = false;
    if (!handleMousePress(event)) {
        return;
    }
    // A box that selects its text when it gets the focus keeps that selection when the focus
    // came with this press: the caret is not placed, and the hand's small moves before the
    // release select nothing else.
    if (gotFocusThisPress_ && hasSelectedText()) {
        pressKeptSelection_ = true;
        event->accept();
        return;
    }
    QLineEdit::mousePressEvent(event);
}

void TextBox::mouseMoveEvent(QMouseEvent* event) {
    if (pressKeptSelection_ && (event->buttons() & Qt::LeftButton)) {
        handleMouseMove(event);
        event->accept();
        return;
    }
    ControlWidget<QLineEdit>::mouseMoveEvent(event);
}

void TextBox::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::MiddleButton) {
        // The desktop's selection paste goes through the key-press rule like any other paste.
        if (handleMouseRelease(event) && !isReadOnly() &&
            QApplication::clipboard()->supportsSelection()) {
            insertFiltered(QApplication::clipboard()->text(QClipboard::Selection));
        }
        event->accept();
        return;
    }
    const bool keptSelection = std::exchange(pressKeptSelection_, false);
    if (!handleMouseRelease(event)) {
        return;
    }
    if (!keptSelection) {
        QLineEdit::mouseReleaseEvent(event);
    }
    // A click in the box raises its Click once the button is let go over it.
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint())) {
        performClick();
    }
}

// ---- Label ----

Label::Label(QWidget* parent, const QString& name, int index)
    : ControlWidget<QLabel>(parent, name, index, false) {
    setForeColor(Qt::black);
}

void Label::setForeColor(const QColor& color) {
    foreColor_ = color;
    QPalette palette = this->palette();
    palette.setColor(QPalette::WindowText, color);
    setPalette(palette);
}

void Label::setBackColor(const QColor& color) {
    backColor_ = color;
    fillBackground(this, QPalette::Window, color);
}

void Label::setBackStyleTransparent() {
    setAutoFillBackground(false);
}

void Label::setTextAlignment(Alignment alignment) {
    setAlignment(qtAlignment(alignment));
}

void Label::mouseReleaseEvent(QMouseEvent* event) {
    const bool inside = rect().contains(event->position().toPoint());
    if (handleMouseRelease(event) && inside && event->button() == Qt::LeftButton) {
        performClick();
    }
}

// ---- CommandButton ----

CommandButton::CommandButton(QWidget* parent, const QString& name, int index)
    : ControlWidget<QPushButton>(parent, name, index, true) {
    setAutoDefault(false);
    QObject::connect(this, &QPushButton::clicked, this,
                     [this] { runDeliveredHandler([this] { performClick(); }); });
}

// Space presses a focused button as Qt does; Enter presses it too, as on the desktop the windows
// were made for, where no button of these windows is a default button.
void CommandButton::keyPressEvent(QKeyEvent* event) {
    if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) &&
        !event->isAutoRepeat()) {
        event->accept();
        click();
        return;
    }
    QPushButton::keyPressEvent(event);
}

void CommandButton::setBackColor(const QColor& color) {
    backColor_ = color;
    fillBackground(this, QPalette::Button, color);
}

void CommandButton::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    const bool down = isDown() || isChecked();
    painter.fillRect(rect(), palette().color(QPalette::Button));
    drawButtonEdges(painter, rect(), down);
    const QRect caption = down ? rect().translated(1, 1) : rect();
    style()->drawItemText(&painter, caption, Qt::AlignCenter | Qt::TextShowMnemonic, palette(),
                          isEnabled(), text(), QPalette::ButtonText);
    if (showsFocusMark()) {
        drawFocusMark(painter,
                      rect().adjusted(FocusMarkInset, FocusMarkInset, -FocusMarkInset - 1,
                                      -FocusMarkInset - 1),
                      palette().color(QPalette::ButtonText));
    }
}

// ---- OptionButton ----

OptionButton::OptionButton(QWidget* parent, const QString& name, int index)
    : ControlWidget<QRadioButton>(parent, name, index, true) {
    // Chosen by the program or by the user, a button that was not chosen raises Click as it
    // becomes chosen.
    QObject::connect(this, &QRadioButton::toggled, this, [this](bool on) {
        if (on && Click) {
            Click();
        }
    });
    // The user's click on the button already chosen changes nothing, and raises Click all the
    // same.
    QObject::connect(this, &QRadioButton::clicked, this, [this] {
        if (!std::exchange(choiceChangedByClick_, false) && Click) {
            Click();
        }
    });
}

void OptionButton::nextCheckState() {
    choiceChangedByClick_ = true;
    QRadioButton::nextCheckState();
}

void OptionButton::setValue(bool value) {
    if (value) {
        setChecked(true);
        return;
    }
    // An exclusive button cannot be cleared by itself.
    setAutoExclusive(false);
    setChecked(false);
    setAutoExclusive(true);
}

void OptionButton::setBackColor(const QColor& color) {
    backColor_ = color;
    // The whole button takes the colour; the round mark keeps its own.
    fillBackground(this, backgroundRole(), color);
}

void OptionButton::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    // The mark follows the window's own focus, not the desktop's.
    option.state &= ~QStyle::State_HasFocus;
    painter.drawControl(QStyle::CE_RadioButton, option);
    if (showsFocusMark()) {
        drawFocusMark(painter,
                      style()->subElementRect(QStyle::SE_RadioButtonFocusRect, &option, this),
                      palette().color(foregroundRole()));
    }
}

// ---- ComboBox ----

ComboBox::ComboBox(QWidget* parent, const QString& name, int index, bool dropDownList)
    : ControlWidget<QComboBox>(parent, name, index, true) {
    setEditable(!dropDownList);
    QObject::connect(this, &QComboBox::currentIndexChanged, this, [this](int now) {
        if (syncing_ || now == lastIndex_) {
            return;
        }
        lastIndex_ = now;
        if (Click) {
            Click();
        }
    });
}

void ComboBox::AddItem(const QString& item, int index) {
    // Adding items never selects one: the position stays where it was.
    syncing_ = true;
    insertItem(index < 0 ? count() : index, item);
    setCurrentIndex(lastIndex_ >= 0 && index >= 0 && index <= lastIndex_ ? lastIndex_ + 1
                                                                         : lastIndex_);
    lastIndex_ = currentIndex();
    syncing_ = false;
}

void ComboBox::RemoveItem(int index) {
    syncing_ = true;
    removeItem(index);
    lastIndex_ = currentIndex();
    syncing_ = false;
}

void ComboBox::Clear() {
    syncing_ = true;
    clear();
    lastIndex_ = -1;
    syncing_ = false;
}

void ComboBox::setListIndex(int index) {
    if (index < -1 || index >= count()) {
        return;
    }
    setCurrentIndex(index);
}

void ComboBox::setText(const QString& text) {
    if (isEditable()) {
        setEditText(text);
        return;
    }
    const int found = findText(text);
    if (found >= 0) {
        setListIndex(found);
    }
}

void ComboBox::paintEvent(QPaintEvent*) {
    QStylePainter painter(this);
    painter.setPen(palette().color(QPalette::Text));
    QStyleOptionComboBox option;
    initStyleOption(&option);
    option.state &= ~QStyle::State_HasFocus;
    painter.drawComplexControl(QStyle::CC_ComboBox, option);
    painter.drawControl(QStyle::CE_ComboBoxLabel, option);
    // A combo that takes typed text shows its caret instead.
    if (showsFocusMark() && !isEditable()) {
        drawFocusMark(painter,
                      style()->subControlRect(QStyle::CC_ComboBox, &option,
                                              QStyle::SC_ComboBoxEditField, this),
                      palette().color(QPalette::Text));
    }
}

qint32 ComboBox::ItemData(int index) const {
    return itemData(index).toInt();
}

void ComboBox::setItemData(int index, qint32 value) {
    QComboBox::setItemData(index, value);
}

// ---- ListBox ----

ListBox::ListBox(QWidget* parent, const QString& name, int index)
    : ControlWidget<QListWidget>(parent, name, index, true) {
    // The pointer moves over the items' area, which must report the moves as the list's own.
    viewport()->setMouseTracking(true);
    QObject::connect(this, &QListWidget::currentRowChanged, this, [this](int now) {
        if (syncing_ || now == lastIndex_) {
            return;
        }
        lastIndex_ = now;
        if (Click && multiSelect_ == MultiSelect::None) {
            clickedThisPress_ = true;
            Click();
        }
    });
    // A press on the item already chosen chooses it again: Click as for any other item.
    QObject::connect(this, &QListWidget::pressed, this, [this](const QModelIndex& at) {
        if (Click && multiSelect_ == MultiSelect::None && !clickedThisPress_ &&
            at.row() == currentRow()) {
            Click();
        }
    });
    // In a list of several choices every click changes the choice, also on the current item.
    QObject::connect(this, &QListWidget::clicked, this, [this] {
        if (Click && multiSelect_ != MultiSelect::None) {
            Click();
        }
    });
    QObject::connect(this, &QListWidget::itemDoubleClicked, this, [this] {
        if (DblClick) {
            DblClick();
        }
    });
}

void ListBox::setMultiSelect(MultiSelect mode) {
    multiSelect_ = mode;
    setSelectionMode(mode == MultiSelect::Simple ? QAbstractItemView::MultiSelection
                                                 : QAbstractItemView::SingleSelection);
}

void ListBox::AddItem(const QString& item, int index) {
    syncing_ = true;
    insertItem(index < 0 ? count() : index, item);
    if (lastIndex_ < 0) {
        setCurrentRow(-1);
    }
    lastIndex_ = currentRow();
    syncing_ = false;
}

void ListBox::RemoveItem(int index) {
    syncing_ = true;
    // The list gives the item up; it is ours to free.
    std::unique_ptr<QListWidgetItem> removed(takeItem(index));
    lastIndex_ = currentRow();
    syncing_ = false;
}

void ListBox::Clear() {
    syncing_ = true;
    clear();
    lastIndex_ = -1;
    syncing_ = false;
}

QString ListBox::List(int index) const {
    const QListWidgetItem* it = item(index);
    return it ? it->text() : QString();
}

void ListBox::setList(int index, const QString& text) {
    if (QListWidgetItem* it = item(index)) {
        it->setText(text);
    }
}

void ListBox::setListIndex(int index) {
    if (index < -1 || index >= count()) {
        return;
    }
    setCurrentRow(index);
}

QString ListBox::Text() const {
    return List(currentRow());
}

qint32 ListBox::ItemData(int index) const {
    const QListWidgetItem* it = item(index);
    return it ? it->data(Qt::UserRole).toInt() : 0;
}

void ListBox::setItemData(int index, qint32 value) {
    if (QListWidgetItem* it = item(index)) {
        it->setData(Qt::UserRole, value);
    }
}

bool ListBox::Selected(int index) const {
    const QListWidgetItem* it = item(index);
    return it && it->isSelected();
}

void ListBox::setSelected(int index, bool selected) {
    if (QListWidgetItem* it = item(index)) {
        it->setSelected(selected);
    }
}

void ListBox::mousePressEvent(QMouseEvent* event) {
    clickedThisPress_ = false;
    ControlWidget<QListWidget>::mousePressEvent(event);
}

// The mark stands round the current item, or round the first one shown while none is current.
void ListBox::paintEvent(QPaintEvent* event) {
    QListWidget::paintEvent(event);
    if (!showsFocusMark()) {
        return;
    }
    const QListWidgetItem* marked = currentItem() ? currentItem() : itemAt(QPoint(1, 1));
    const QRect around = marked ? visualItemRect(marked) : viewport()->rect();
    QPainter painter(viewport());
    drawFocusMark(painter, around.adjusted(0, 0, -1, -1), palette().color(QPalette::Text));
}

void ListBox::repaintFocusMark() {
    viewport()->update();
}

// A list without a chosen item keeps none when it gets the focus; only the user's pick chooses
// one (the widget itself would make the first item current, quietly choosing it).
void ListBox::focusInEvent(QFocusEvent* event) {
    const int before = currentRow();
    syncing_ = true;
    QListWidget::focusInEvent(event);
    if (before < 0 && currentRow() >= 0) {
        setCurrentRow(-1);
    }
    syncing_ = false;
    handleFocusIn();
}

// ---- HScrollBar ----

// The thumb carries the mark.
QRect HScrollBar::partRect(QStyle::SubControl part) const {
    QStyleOptionSlider option;
    initStyleOption(&option);
    return style()->subControlRect(QStyle::CC_ScrollBar, &option, part, this);
}

void HScrollBar::paintEvent(QPaintEvent* event) {
    QScrollBar::paintEvent(event);
    if (!showsFocusMark()) {
        return;
    }
    const QRect thumb = partRect(QStyle::SC_ScrollBarSlider);
    QPainter painter(this);
    drawFocusMark(painter, thumb.adjusted(2, 2, -3, -3), palette().color(QPalette::ButtonText));
}

// ---- Frame, PictureBox ----

Frame::Frame(QWidget* parent, const QString& name, int index)
    : ControlWidget<QGroupBox>(parent, name, index, false) {}

PictureBox::PictureBox(QWidget* parent, const QString& name, int index)
    : ControlWidget<QLabel>(parent, name, index, false) {}

void PictureBox::setBackColor(const QColor& color) {
    backColor_ = color;
    fillBackground(this, QPalette::Window, color);
}

void PictureBox::setPicture(const QString& resourcePath) {
    setPixmap(QPixmap::fromImage(embeddedPicture(resourcePath)));
    setScaledContents(true);
}

PictureBox::Units PictureBox::scale() const {
    return userScale_.value_or(
        Units{0, 0, static_cast<float>(Width()), static_cast<float>(Height())});
}

void PictureBox::Scale(float x1, float y1, float x2, float y2) {
    userScale_ = Units{x1, y1, x2 - x1, y2 - y1};
}

QPointF PictureBox::scaleFromPixels(QPointF pixels) const {
    const Units units = scale();
    const QPointF twips = toTwips(pixels);
    return {units.left + twips.x() * units.width / std::max(Width(), 1),
            units.top + twips.y() * units.height / std::max(Height(), 1)};
}

QPointF PictureBox::pixelsFromScale(QPointF point) const {
    const Units units = scale();
    const double x = units.width == 0 ? 0 : (point.x() - units.left) * Width() / units.width;
    const double y = units.height == 0 ? 0 : (point.y() - units.top) * Height() / units.height;
    return QPointF(x, y) / TwipsPerPixel;
}

// ---- HScrollBar ----

HScrollBar::HScrollBar(QWidget* parent, const QString& name, int index)
    : ControlWidget<QScrollBar>(parent, name, index, true) {
    setOrientation(Qt::Horizontal);
    // A dragged thumb raises Scroll while it moves and changes the value (Change) only when it
    // is let go.
    setTracking(false);
    QObject::connect(this, &QScrollBar::valueChanged, this, [this] {
        if (Change) {
            Change();
        }
    });
    QObject::connect(this, &QScrollBar::sliderMoved, this, [this] {
        if (Scroll) {
            Scroll();
        }
    });
}

// ---- Line, Shape ----

Line::Line(QWidget* parent, const QString& name, int index)
    : ControlWidget<QWidget>(parent, name, index, false) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Line::setPoints(int x1, int y1, int x2, int y2) {
    horizontal_ = y1 == y2;
    const int left = std::min(x1, x2), top = std::min(y1, y2);
    const int width = std::max(std::abs(x2 - x1), TwipsPerPixel);
    const int height = std::max(std::abs(y2 - y1), TwipsPerPixel);
    Move(left, top, width + TwipsPerPixel, height + TwipsPerPixel);
}

void Line::setBorderColor(const QColor& color) {
    color_ = color;
    update();
}

void Line::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(color_);
    if (horizontal_) {
        painter.drawLine(0, 0, width() - 1, 0);
    } else {
        painter.drawLine(0, 0, 0, height() - 1);
    }
}

// A shape is drawn on its container and takes no mouse events: a press on it reaches the
// control beneath.
Shape::Shape(QWidget* parent, const QString& name, int index)
    : ControlWidget<QWidget>(parent, name, index, false) {
    setAttribute(Qt::WA_TransparentForMouseEvents);
}

void Shape::setFillColor(const QColor& color) {
    fill_ = color;
    update();
}

void Shape::setBorderColor(const QColor& color) {
    border_ = color;
    update();
}

void Shape::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    painter.setPen(border_);
    painter.setBrush(fill_);
    painter.drawRect(rect().adjusted(0, 0, -1, -1));
}

// ---- CommonDialog ----

CommonDialog::CommonDialog(QObject* parent, const QString& name) : QObject(parent) {
    setObjectName(name);
}

bool CommonDialog::ShowSave() {
    SaveDialogRequest request;
    request.initDir = InitDir;
    request.filter = Filter;
    request.filterIndex = FilterIndex;
    request.defaultExt = DefaultExt;
    request.fileName = FileName;
    request.title = DialogTitle;
    request.overwritePrompt = (Flags & OverwritePrompt) != 0;
    request.createPrompt = (Flags & CreatePrompt) != 0;
    const std::optional<QString> chosen = desktop().showSaveDialog(request);
    if (!chosen || chosen->isEmpty()) {
        return false;
    }
    FileName = *chosen;
    FileTitle = QFileInfo(*chosen).fileName();
    return true;
}

bool CommonDialog::ShowColor() {
    const std::optional<QColor> chosen = desktop().showColorDialog(Color);
    if (!chosen) {
        return false;
    }
    Color = *chosen;
    return true;
}

} // namespace platform
