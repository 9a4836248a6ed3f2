#pragma once

#include "stores/RecordStore.h"

namespace stores {

// The program-wide range, palette and macro stores with the work tables through which one
// record's table passes between an editor and its store. The file writer overwrites the work
// tables too, so every reader rebuilds or reloads its work table before use.
struct AdvancedStores {
    RecordStore rangeTables{2};
    RecordStore paletteGroups{3};
    RecordStore macros{3};
    TextTable curRangeTable;
    TextTable paletteTable;
    TextTable macroStepTable;

    // Discards every record; the work tables are left as they are.
    void emptyStores();
};

} // namespace stores
