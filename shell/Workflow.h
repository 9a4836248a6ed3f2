#pragma once

#include "platform/Controls.h"
#include "platform/Form.h"

// The picture of the editing steps that the main menu and the advanced page
// draw: boxes in a column joined by grey lines.
namespace shell {

platform::CommandButton* workflowBox(platform::Form* form, const char* name, const QString& caption,
                                     int left, int top, int width, bool enabled);
platform::Line* workflowLine(platform::Form* form, const char* name, int x1, int y1, int x2,
                             int y2);

} // namespace shell
