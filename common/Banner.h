#pragma once

#include "platform/Controls.h"
#include "platform/Form.h"

namespace common {

// The dark band across the top of a window with the link to the maker's web
// site on it, right-aligned in white. The link lights up under the pointer,
// turns white again when the pointer moves onto the band, and opens the site
// when clicked. A window without the link passes no link name.
struct Banner {
    platform::Label* band;
    platform::Label* link; // nullptr when the window has none
};

Banner addBanner(platform::Form& form, int widthTwips, const char* bandName, const char* linkName,
                 const char* logoName = nullptr);

} // namespace common
