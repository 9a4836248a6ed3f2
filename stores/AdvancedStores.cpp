#include "stores/AdvancedStores.h"

void AdvancedStores::emptyStores() {
    rangeTables.clear();
    macros.clear();
    paletteGroups.clear();
}
