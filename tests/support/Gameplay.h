#pragma once

#include <cstdint>
#include <string>
#include <vector>

// Whole games without a window, played by a player through the play state's input at a fixed
// frame length, for how well a strategy does and whether it does as well at every frame rate.
// Every game is dealt the same pieces; the seed varies only the player's own choices.

enum class PlayerKind { Passive, Competent };

struct GameplayOptions {
    PlayerKind player = PlayerKind::Competent;
    std::uint32_t seed = 1;
    int frameMs = 16;
    float capSeconds = 300.0f; // the game stops here, undecided, if it has not ended
};

struct GameplayResult {
    bool ended = false; // lost or won before the cap
    bool won = false;
    float seconds = 0.0f; // of play, to the end or the cap
    int bulbPayouts = 0;
    int linkPayouts = 0;
    int links = 0; // at the end
    int placed = 0;
    int skipped = 0;
    int binned = 0;
    int replaced = 0;
};

GameplayResult playGameplay(const GameplayOptions& options);

const char* playerName(PlayerKind player);
std::string describeGame(const GameplayResult& result);

// What a set of games came to.
struct GameplaySummary {
    int games = 0;
    int wins = 0;
    int losses = 0;
    float medianSeconds = 0.0f;
    float shortest = 0.0f;
    float longest = 0.0f;
    double bulbPayoutsPerGame = 0.0;
    double linkPayoutsPerGame = 0.0;
};

GameplaySummary summarise(const std::vector<GameplayResult>& results);
std::string describeSummary(const GameplaySummary& summary);
