#include "shell/ResetAllData.h"

#include "basicinfo/Form1.h"
#include "channels/Form2.h"
#include "channels/Form2_2.h"
#include "channels/Form2_3.h"

namespace shell {

void ResetAllData() {
    // The channel settings dialog and its name picker would otherwise write into the emptied
    // grid: they close first, writing nothing and asking nothing.
    for (const char* dialog : {channels::Form2_2::Name, channels::Form2_3::Name}) {
        if (platform::Form* open = platform::windows().find(QString::fromLatin1(dialog))) {
            platform::unload(*open);
        }
    }

    platform::window<basicinfo::Form1>().resetToDefaults();
    // The channel page renumbers and re-heads the rows on its next activation.
    platform::window<channels::Form2>().clearGrid();

    // PALETTE-MACRO-LISTS: the palette group list's clearList(), then the macro list's.
}

} // namespace shell
