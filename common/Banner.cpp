#include "common/Banner.h"

#include "common/Colors.h"
#include "common/Module1.h"
#include "common/Public.h"

namespace common {

Banner addBanner(platform::Form* form, int widthTwips, const char* bandName, const char* linkName,
                 const char* logoName) {
    auto* band = new platform::Label(form, bandName);
    band->Move(0, 0, widthTwips, 900);
    band->setBackColor(colors::Band);
    if (logoName) {
        auto* logo = new platform::PictureBox(form, logoName);
        logo->Move(120, 90, 1500, 720);
        logo->setPicture(QStringLiteral(":/images/logo.png"));
    }
    auto* link = new platform::Label(form, linkName);
    link->Move(widthTwips - 4200, 540, 4080, 300);
    link->setCaption(MakerWebAddress);
    link->setTextAlignment(platform::Alignment::Right);
    link->setForeColor(colors::LinkRest);
    link->setCursor(Qt::PointingHandCursor);

    link->Click = [] { OpenMakerSite(); };
    link->MouseMove = [link](int, int, int, int) {
        link->setForeColor(platform::systemHighlight());
    };
    band->MouseMove = [link](int, int, int, int) { link->setForeColor(colors::LinkRest); };
    return {band, link};
}

} // namespace common
