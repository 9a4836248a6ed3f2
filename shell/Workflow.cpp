#include "shell/Workflow.h"

#include "common/Colors.h"

namespace shell {

namespace colors = common::colors;

platform::CommandButton* workflowBox(platform::Form* form, const char* name, const QString& caption,
                                     int left, int top, int width, bool enabled) {
    auto* button = new platform::CommandButton(form, name);
    button->setCaption(caption);
    button->Move(left, top, width, 450);
    button->setBackColor(colors::ButtonRest);
    button->setEnabled(enabled);
    return button;
}

platform::Line* workflowLine(platform::Form* form, const char* name, int x1, int y1, int x2,
                             int y2) {
    auto* line = new platform::Line(form, name);
    line->setPoints(x1, y1, x2, y2);
    line->setBorderColor(colors::LineRest);
    return line;
}

} // namespace shell
