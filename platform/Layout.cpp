#include "platform/Layout.h"

namespace platform {
namespace {

QWidget* containerOf(Form& form, const char* name) {
    if (!name) {
        return &form;
    }
    Control* container = form.control(QString::fromLatin1(name));
    if (!container) {
        qFatal("%s: no container %s above this row", qPrintable(form.formName()), name);
    }
    return container->widget();
}

void place(Control& control, const Twips& at) {
    if (auto* line = dynamic_cast<Line*>(&control)) {
        line->setPoints(at.left, at.top, at.width, at.height);
    } else {
        control.Move(at.left, at.top, at.width, at.height);
    }
}

void setFont(QWidget* widget, const Look& look) {
    if (look.fontGrow == 0 && !look.bold) {
        return;
    }
    QFont font = widget->font();
    font.setPointSize(font.pointSize() + look.fontGrow);
    font.setBold(look.bold);
    widget->setFont(font);
}

void setCaption(Control& control, const QString& caption) {
    if (auto* label = dynamic_cast<Label*>(&control)) {
        label->setCaption(caption);
    } else if (auto* button = dynamic_cast<CommandButton*>(&control)) {
        button->setCaption(caption);
    } else if (auto* option = dynamic_cast<OptionButton*>(&control)) {
        option->setCaption(caption);
    } else if (auto* frame = dynamic_cast<Frame*>(&control)) {
        frame->setCaption(caption);
    } else if (auto* box = dynamic_cast<TextBox*>(&control)) {
        box->setText(caption);
    }
}

void setBack(Control& control, const QColor& color) {
    if (auto* label = dynamic_cast<Label*>(&control)) {
        label->setBackColor(color);
    } else if (auto* button = dynamic_cast<CommandButton*>(&control)) {
        button->setBackColor(color);
    } else if (auto* option = dynamic_cast<OptionButton*>(&control)) {
        option->setBackColor(color);
    } else if (auto* box = dynamic_cast<TextBox*>(&control)) {
        box->setBackColor(color);
    } else if (auto* picture = dynamic_cast<PictureBox*>(&control)) {
        picture->setBackColor(color);
    } else if (auto* shape = dynamic_cast<Shape*>(&control)) {
        shape->setFillColor(color);
    }
}

void setFore(Control& control, const QColor& color) {
    if (auto* label = dynamic_cast<Label*>(&control)) {
        label->setForeColor(color);
    } else if (auto* box = dynamic_cast<TextBox*>(&control)) {
        box->setForeColor(color);
    } else if (auto* line = dynamic_cast<Line*>(&control)) {
        line->setBorderColor(color);
    } else if (auto* shape = dynamic_cast<Shape*>(&control)) {
        shape->setBorderColor(color);
    }
}

void setAlignment(Control& control, Alignment alignment) {
    if (auto* label = dynamic_cast<Label*>(&control)) {
        label->setTextAlignment(alignment);
    } else if (auto* box = dynamic_cast<TextBox*>(&control)) {
        box->setTextAlignment(alignment);
    }
}

void addItems(Control& control, const QStringList& items) {
    if (auto* combo = dynamic_cast<ComboBox*>(&control)) {
        for (const QString& item : items) {
            combo->AddItem(item);
        }
    } else if (auto* list = dynamic_cast<ListBox*>(&control)) {
        for (const QString& item : items) {
            list->AddItem(item);
        }
    }
}

void applyLook(Control& control, const Look& look) {
    if (!look.caption.isEmpty()) {
        setCaption(control, look.caption);
    }
    if (!look.toolTip.isEmpty()) {
        control.setToolTipText(look.toolTip);
    }
    if (auto* box = dynamic_cast<TextBox*>(&control)) {
        box->setMaxLength(look.maxLength);
    }
    addItems(control, look.items);
    if (auto* option = dynamic_cast<OptionButton*>(&control); option && look.value) {
        option->setValue(true);
    }
    control.widget()->setEnabled(look.enabled);
    if (look.back) {
        setBack(control, *look.back);
    }
    if (look.fore) {
        setFore(control, *look.fore);
    }
    if (look.align) {
        setAlignment(control, *look.align);
    }
    setFont(control.widget(), look);
    if (auto* picture = dynamic_cast<PictureBox*>(&control); picture && !look.picture.isEmpty()) {
        picture->setPicture(look.picture);
    }
}

} // namespace

void layOut(Form& form, std::initializer_list<ControlRow> rows) {
    for (const ControlRow& row : rows) {
        Control* control = row.make(containerOf(form, row.look().in));
        place(*control, row.at());
        applyLook(*control, row.look());
    }
}

void setTabOrder(std::initializer_list<Control*> order) {
    int index = 0;
    for (Control* control : order) {
        control->tabIndex = index++;
    }
}

} // namespace platform
