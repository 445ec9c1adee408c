#include "play/PlayerRecords.h"

void Records::add(bool victory, int lastedMs, bool relaxed) {
    int& games = relaxed ? relaxedPlayed : played;
    int& wins = relaxed ? relaxedWon : won;
    int& longest = relaxed ? relaxedLongestLostMs : longestLostMs;
    ++games;
    if (victory) {
        ++wins;
    } else if (lastedMs > longest) {
        longest = lastedMs;
    }
}

int Records::bestSeconds(int gameLengthSeconds, bool relaxed) const {
    const int wins = relaxed ? relaxedWon : won;
    return wins > 0 ? gameLengthSeconds : (relaxed ? relaxedLongestLostMs : longestLostMs) / 1000;
}
