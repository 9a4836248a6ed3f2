#pragma once

#include "common/Colors.h"
#include "platform/Controls.h"

#include <initializer_list>

// Hover feedback: a button, an option or a text box lights up while the pointer is over it, and
// the window (or a control beside them) puts them back to rest. Buttons and options light in
// one colour, text boxes in a paler one; each kind rests in its own colour.
namespace common {

inline QColor litColor(const platform::CommandButton*) {
    return colors::Hover;
}
inline QColor litColor(const platform::OptionButton*) {
    return colors::Hover;
}
inline QColor litColor(const platform::TextBox*) {
    return colors::HoverText;
}

inline QColor restColor(const platform::CommandButton*) {
    return colors::ButtonRest;
}
inline QColor restColor(const platform::OptionButton*) {
    return platform::systemButtonFace();
}
inline QColor restColor(const platform::TextBox*) {
    return colors::TextRest;
}

template <typename Controls> void lightUnderPointer(const Controls& controls) {
    for (auto* control : controls) {
        control->MouseMove = [control](int, int, float, float) {
            control->setBackColor(litColor(control));
        };
    }
}

template <typename Control> void lightUnderPointer(std::initializer_list<Control*> controls) {
    lightUnderPointer<std::initializer_list<Control*>>(controls);
}

template <typename Controls> void putToRest(const Controls& controls) {
    for (auto* control : controls) {
        control->setBackColor(restColor(control));
    }
}

template <typename Control> void putToRest(std::initializer_list<Control*> controls) {
    putToRest<std::initializer_list<Control*>>(controls);
}

} // namespace common
