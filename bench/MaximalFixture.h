#pragma once

#include "stores/AdvancedStores.h"
#include "writer/FixtureSnapshot.h"

namespace bench {

enum class Names { Ascii, Chinese };

// The largest fixture the editors let a user build: 512 channels as 256 16-bit pairs (each
// fine row under its coarse row), a range table of 16 entries on every ranged (coarse) channel,
// the three palette groups with all ten entries, and 50 macros of 50 steps.
struct MaximalFixture {
    writer::FixtureSnapshot fixture;
    stores::AdvancedStores stores;
};

MaximalFixture maximalFixture(Names names);

} // namespace bench
