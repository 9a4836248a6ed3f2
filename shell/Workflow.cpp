#include "shell/Workflow.h"

#include "common/Colors.h"

namespace shell {

platform::Look workflowBox(const QString& caption, StepBox kind) {
    return {.caption = caption,
            .enabled = kind == StepBox::Working,
            .back = common::colors::ButtonRest};
}

platform::Look workflowLine() {
    return {.fore = common::colors::LineRest};
}

} // namespace shell
