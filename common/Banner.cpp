#include "common/Banner.h"

#include "common/Colors.h"
#include "common/Module1.h"
#include "common/Public.h"
#include "platform/Layout.h"

namespace common {

Banner addBanner(platform::Form& form, int widthTwips, const char* bandName, const char* linkName,
                 const char* logoName) {
    Banner banner{};
    platform::layOut(form,
                     {{banner.band, bandName, {0, 0, widthTwips, 900}, {.back = colors::Band}}});
    if (logoName) {
        platform::PictureBox* logo = nullptr;
        platform::layOut(
            form, {{logo, logoName, {120, 90, 1500, 720}, {.picture = ":/images/logo.png"}}});
    }
    if (!linkName) {
        return banner;
    }
    platform::layOut(form, {{banner.link,
                             linkName,
                             {widthTwips - 4200, 540, 4080, 300},
                             {.caption = MakerWebAddress,
                              .fore = colors::LinkRest,
                              .align = platform::Alignment::Right}}});
    banner.link->setCursor(Qt::PointingHandCursor);

    platform::Label* link = banner.link;
    link->Click = [] { OpenMakerSite(); };
    link->MouseMove = [link](int, int, float, float) {
        link->setForeColor(platform::systemHighlight());
    };
    banner.band->MouseMove = [link](int, int, float, float) {
        link->setForeColor(colors::LinkRest);
    };
    return banner;
}

} // namespace common
