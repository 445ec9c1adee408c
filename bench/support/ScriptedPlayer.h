#pragma once

class LiveMode;

// A player for whole games in the benchmarks, acting once per second of game time through the
// play state's own input handling: every third second the dealt piece is dragged onto the chain
// (up to 12 pieces on the board), every twentieth the placed piece nearest the bin is lifted with a
// double press and from a second later, as soon as no piece rolls past the bin, dropped into it,
// every thirtieth a plain gear is added with the A key.
class ScriptedPlayer {
public:
    int placed = 0; // pieces dragged onto the board
    int binned = 0; // placed pieces thrown into the bin
    int added = 0;  // gears added with the A key

    // Call once per frame, before LiveMode::update, with the milliseconds since play began.
    void act(LiveMode& mode, int gameMs);

private:
    int lastSecond = -1;
};

// What the player's bulbs would do: tops up every square that has grown dark, so the game runs
// its full length.
void keepBoardLit(LiveMode& mode);

// Resident and peak resident size of this process, in kB.
double residentKb();
double peakResidentKb();
