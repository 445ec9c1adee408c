#pragma once

// What the game remembers between runs, as a value: the shell keeps it on disk and hands it to
// the screens.
// Relaxed games are counted apart: their times say nothing about the usual game.
struct Records {
    int played = 0;
    int won = 0;
    int longestLostMs = 0; // every game won lasts the whole four minutes
    int relaxedPlayed = 0;
    int relaxedWon = 0;
    int relaxedLongestLostMs = 0;

    void add(bool victory, int lastedMs, bool relaxed = false);
    // The longest game so far of that mode, in whole seconds: a win counts as the whole game.
    int bestSeconds(int gameLengthSeconds, bool relaxed = false) const;
    // Games of either mode.
    int gamesPlayed() const { return played + relaxedPlayed; }
};
