#include "common/Hover.h"

#include "common/Colors.h"

namespace common {

void lightUnderPointer(std::initializer_list<platform::CommandButton*> buttons) {
    for (platform::CommandButton* button : buttons) {
        button->MouseMove = [button](int, int, float, float) {
            button->setBackColor(colors::Hover);
        };
    }
}

void restButtons(std::initializer_list<platform::CommandButton*> buttons) {
    for (platform::CommandButton* button : buttons) {
        button->setBackColor(colors::ButtonRest);
    }
}

} // namespace common
