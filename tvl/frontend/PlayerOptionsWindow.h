#pragma once
// The player options window: the name and colour this machine's player joins a network game
// with.
namespace tvl {

// Runs the window until Done (Enter) stores the typed name as every peer would cut it
// (wire::cleanPlayerName: control characters removed, at most 20 characters); a name with
// nothing left is refused with "Player Name is required". The colour picked with Change takes
// effect at once.
void playerOptionsWindow();

} // namespace tvl
