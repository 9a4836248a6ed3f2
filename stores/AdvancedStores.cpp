#include "stores/AdvancedStores.h"

namespace stores {

void AdvancedStores::emptyStores() {
    rangeTables.clear();
    macros.clear();
    paletteGroups.clear();
}

} // namespace stores
