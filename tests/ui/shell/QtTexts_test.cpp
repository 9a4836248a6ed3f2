#include "platform/Controls.h"
#include "platform/Form.h"
#include "tests/support/EditorTest.h"

#include <QAction>
#include <QApplication>
#include <QContextMenuEvent>
#include <QMenu>
#include <QRegularExpression>

// Qt's own texts, which the desktop's dialogs and the boxes' context menus show, come in Chinese
// once the editor has set its application up, whatever the system's language.

namespace {

bool isChinese(const QString& text) {
    static const QRegularExpression han(QStringLiteral("\\p{Han}"));
    return text.contains(han);
}

class Box : public platform::Form {
public:
    static constexpr const char* Name = "Box";
    Box() : Form(QString::fromLatin1(Name)) {
        Text1 = new platform::TextBox(this, "Text1");
        Text1->Move(0, 0, 1500, 300);
    }
    platform::TextBox* Text1;
};

} // namespace

TEST_F(EditorTest, QtsOwnDialogTextsAreChinese) {
    struct QtText {
        const char* context;
        const char* english;
    };
    const QtText texts[] = {
        {"QFileDialog", "Save As"},
        {"QFileDialog", "File &name:"},
        {"QFileDialog", "%1 already exists.\nDo you want to replace it?"},
        {"QColorDialog", "Select Color"},
        {"QPlatformTheme", "Cancel"},
    };
    for (const QtText& text : texts) {
        const QString shown = QCoreApplication::translate(text.context, text.english);
        EXPECT_TRUE(isChinese(shown))
            << text.context << " " << text.english << ": " << shown.toStdString();
    }
}

TEST_F(EditorTest, ATextBoxsContextMenuIsChinese) {
    platform::windows().add<Box>();
    Box& box = platform::window<Box>();
    box.Show();
    const QPoint at = box.Text1->rect().center();
    QContextMenuEvent event(QContextMenuEvent::Mouse, at, box.Text1->mapToGlobal(at));
    QApplication::sendEvent(box.Text1, &event);
    auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
    ASSERT_NE(menu, nullptr);
    int named = 0;
    for (const QAction* action : menu->actions()) {
        if (!action->isSeparator()) {
            ++named;
            EXPECT_TRUE(isChinese(action->text())) << action->text().toStdString();
        }
    }
    EXPECT_GE(named, 6); // undo, redo, cut, copy, paste, delete, select all
    menu->close();
}
