#pragma once

namespace shell {

// Returns the fixture to a new one: the basic information page to its defaults (through its
// own rules), the channel grid's cells and the palette and macro lists emptied. Windows it
// touches are loaded hidden; it shows none, writes no shared flag and empties no store.
void ResetAllData();

} // namespace shell
