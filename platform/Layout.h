#pragma once

#include "platform/Controls.h"
#include "platform/Form.h"

#include <QColor>
#include <QString>
#include <QStringList>
#include <functional>
#include <initializer_list>
#include <optional>

// A window declares its controls as one table, in the order they are made (later controls lie
// on top of earlier ones, and the order is the default tab order). Each row binds a typed member
// of the window (the control's kind is the member's type), names the control, places it in
// twips and gives what the window sets on it at load. The rows are written one a line:
//
//   // clang-format off
//   platform::layOut(*this, {
//       {Label5, "Label5", {360, 2880, 1700, 300}, {.caption = "通道数："}},
//       {Text5, "Text5", {2160, 2850, 1200, 330}, {.toolTip = "1-512", .maxLength = 3}},
//       {Frame2, "Frame2", {3840, 3360, 3000, 3015}, {.caption = "灯具类型"}},
//       {Option2[0], {"Option2", 0}, {240, 330, 1200, 360}, {.in = "Frame2", .value = true}},
//   });
//   // clang-format on
//
// The handlers are wired after the table, so that loading raises none of them.
namespace platform {

// Where a control stands in its container, in twips. A line's four numbers are its end points
// X1, Y1, X2, Y2.
struct Twips {
    int left = 0;
    int top = 0;
    int width = 0;
    int height = 0;
};

// A control's name, and its index when it belongs to a control array.
struct ControlName {
    ControlName(const char* base, int index = -1) : base(base), index(index) {}
    const char* base;
    int index;
};

// What the window sets on a control at load. Every field may be left out; the fields given must
// keep this order.
struct Look {
    const char* in = nullptr; // the name of the container (a frame); the window itself if none
    QString caption{};        // a caption, or the text a text box starts with
    QString toolTip{};
    int maxLength = 0;   // text boxes; 0 is no limit
    QStringList items{}; // the items of a list or combo box
    bool value = false;  // an option button that starts selected
    bool enabled = true;
    std::optional<QColor> back{};
    std::optional<QColor> fore{}; // text colour; a line's or a shape's border colour
    std::optional<Alignment> align{};
    int fontGrow = 0; // points added to the window's font size
    bool bold = false;
    QString picture{}; // a picture box's image, a resource path
};

// One row of a window's control table.
class ControlRow {
public:
    template <class T>
    ControlRow(T*& member, ControlName name, Twips at, Look look = {})
        : name_(name), at_(at), look_(std::move(look)),
          make_([&member](QWidget* parent, const ControlName& n) -> Control* {
              member = new T(parent, QString::fromLatin1(n.base), n.index); // owned by parent
              return member;
          }) {}

    Control* make(QWidget* parent) const { return make_(parent, name_); }
    const Twips& at() const { return at_; }
    const Look& look() const { return look_; }

private:
    ControlName name_;
    Twips at_;
    Look look_;
    std::function<Control*(QWidget*, const ControlName&)> make_;
};

// Makes the table's controls on the window, row by row.
void layOut(Form& form, std::initializer_list<ControlRow> rows);

// The order in which the Tab key visits the listed controls, first to last.
void setTabOrder(std::initializer_list<Control*> order);

} // namespace platform
