#include "shell/ResetAllData.h"

#include "basicinfo/Form1.h"
#include "channels/Form2.h"
#include "channels/Form2_2.h"
#include "channels/Form2_3.h"
#include "macros/Form3_3.h"
#include "palettes/Form3_2.h"
#include "quicksetup/Form2_1.h"

namespace shell {

void ResetAllData() {
    // The channel settings dialog, its name picker and the quick setup would otherwise write
    // into the emptied grid: they close first, writing nothing and asking nothing.
    for (const char* dialog :
         {channels::Form2_2::Name, channels::Form2_3::Name, quicksetup::Form2_1::Name}) {
        if (platform::Form* open = platform::windows().find(QString::fromLatin1(dialog))) {
            platform::unload(*open);
        }
    }

    platform::window<basicinfo::Form1>().resetToDefaults();
    // The channel page renumbers and re-heads the rows on its next activation.
    platform::window<channels::Form2>().clearGrid();

    // Loading a list window lists its store first; the list is emptied after.
    platform::window<palettes::Form3_2>().clearList();
    platform::window<macros::Form3_3>().clearList();
}

} // namespace shell
