#pragma once

#include <cstdint>

class LiveMode;

// FNV-1a over the exact bits of the final state of a game: every chain joint's position, every
// piece's position, angle and turn (in play order), every square's light (in board order), and
// how many of each there are. Two builds that played the same game the same way give the same
// number; one float step anywhere gives another.
std::uint64_t hashGame(const LiveMode& game);
