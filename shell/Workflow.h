#pragma once

#include "platform/Layout.h"

// The picture of the editing steps that the main menu and the advanced page draw: boxes in a
// column joined by grey lines. A window's control table gives these looks to their rows.
namespace shell {

enum class StepBox {
    Drawn,   // part of the picture only: disabled
    Working, // a button that acts
};

platform::Look workflowBox(const QString& caption, StepBox kind);
platform::Look workflowLine();

} // namespace shell
