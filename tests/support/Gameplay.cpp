#include "Gameplay.h"

#include "CompetentPlayer.h"
#include "Monkey.h"

#include "app/Callbacks.h"
#include "app/Camera.h"
#include "app/FrameClock.h"
#include "physics/Chain.h"
#include "play/DealGenerator.h"
#include "play/Gear.h"
#include "play/LiveMode.h"
#include "states/EndState.h"
#include "states/State.h"

#include <algorithm>
#include <cstdio>
#include <memory>
#include <unordered_map>

namespace {

constexpr int startLinks = 35;
constexpr int linksPerPayout = 6;

// Payouts as the screen shows them: a bulb's icon shrinks by one charge on the board, the chain
// gains six links.
class PayoutCounter {
public:
    void look(const LiveMode& game, GameplayResult& result) {
        std::unordered_map<const Gear*, int> now;
        for (const Gear* p : game.gears) {
            const auto it = charges.find(p);
            // A new piece at a freed address is not on the board yet, so it never counts.
            if (it != charges.end() && p->placed && p->payload == Bulb && p->charges < it->second) {
                result.bulbPayouts += it->second - p->charges;
            }
            now[p] = p->charges;
        }
        charges.swap(now);
        if (game.chain != nullptr) {
            result.links = static_cast<int>(game.chain->links.size());
            result.linkPayouts = (result.links - startLinks) / linksPerPayout;
        }
    }

private:
    std::unordered_map<const Gear*, int> charges;
};

} // namespace

GameplayResult playGameplay(const GameplayOptions& options) {
    releasePlayState();
    dealGenerator.reset();
    elapsedMs = previousMs = frameMs = 0;
    frameSeconds = 0.0f;
    camera.reset();
    activeCamera = &camera;
    currentState = &liveMode;
    liveMode.enter(nullptr);

    std::unique_ptr<CompetentPlayer> player;
    if (options.player == PlayerKind::Competent) {
        player = std::make_unique<CompetentPlayer>(options.seed);
    }
    GameplayResult result;
    PayoutCounter payouts;
    const int capMs = static_cast<int>(options.capSeconds * 1000.0f);
    int nowMs = 0;
    while (currentState == &liveMode && nowMs < capMs) {
        if (player != nullptr) {
            player->act(liveMode);
        }
        nowMs += options.frameMs;
        idleStep(nowMs);
        payouts.look(liveMode, result);
    }
    result.ended = currentState == &endState;
    result.won = result.ended && liveMode.won;
    result.seconds = clockSeconds() - liveMode.gameStart;
    if (player != nullptr) {
        result.placed = player->placed;
        result.skipped = player->skipped;
        result.binned = player->binned;
        result.replaced = player->replaced;
    }
    releasePlayState();
    return result;
}

const char* playerName(PlayerKind player) {
    return player == PlayerKind::Competent ? "competent" : "passive";
}

std::string describeGame(const GameplayResult& r) {
    char line[256];
    std::snprintf(line, sizeof line,
                  "%s after %.1f s, %d bulb and %d add-link payouts, %d links; %d placed, "
                  "%d thrown away, %d binned, %d put back",
                  r.ended ? (r.won ? "won" : "lost") : "stopped", static_cast<double>(r.seconds),
                  r.bulbPayouts, r.linkPayouts, r.links, r.placed, r.skipped, r.binned, r.replaced);
    return line;
}

GameplaySummary summarise(const std::vector<GameplayResult>& results) {
    GameplaySummary s;
    s.games = static_cast<int>(results.size());
    if (results.empty()) {
        return s;
    }
    std::vector<float> seconds;
    for (const GameplayResult& r : results) {
        s.wins += r.won ? 1 : 0;
        s.losses += r.ended && !r.won ? 1 : 0;
        s.bulbPayoutsPerGame += r.bulbPayouts;
        s.linkPayoutsPerGame += r.linkPayouts;
        seconds.push_back(r.seconds);
    }
    std::sort(seconds.begin(), seconds.end());
    const std::size_t n = seconds.size();
    s.medianSeconds = n % 2 == 1 ? seconds[n / 2] : (seconds[n / 2 - 1] + seconds[n / 2]) / 2.0f;
    s.shortest = seconds.front();
    s.longest = seconds.back();
    s.bulbPayoutsPerGame /= s.games;
    s.linkPayoutsPerGame /= s.games;
    return s;
}

std::string describeSummary(const GameplaySummary& s) {
    char line[256];
    std::snprintf(line, sizeof line,
                  "%d games: %d won, %d lost, %d stopped; survival median %.1f s, range %.1f-%.1f "
                  "s; per game %.1f bulb and %.2f add-link payouts",
                  s.games, s.wins, s.losses, s.games - s.wins - s.losses,
                  static_cast<double>(s.medianSeconds), static_cast<double>(s.shortest),
                  static_cast<double>(s.longest), s.bulbPayoutsPerGame, s.linkPayoutsPerGame);
    return line;
}
