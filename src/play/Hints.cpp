#include "play/Hints.h"

#include "play/Gear.h"
#include "play/LiveMode.h"
#include "play/PlayWatch.h"

HintChoice hintChoice;

namespace {

// A tip needs its cause to have lasted this long at the end of the game.
constexpr float noTurnTipSeconds = 60.0f;
constexpr int offChainTipPieces = 3; // dropped pieces before "most" means anything

// A piece the player put down that the chain has left alone for a while.
bool idleAfterDrop(const Gear& p, const LiveMode& game) {
    return p.seen.dropped && p.placed && !p.discarding && &p != game.heldGear &&
           p.seen.stillSeconds >= HintBoard::idleSeconds;
}

// A spent piece still on the board, waiting to be binned.
bool spentOnBoard(const Gear& p) {
    return p.seen.spent && p.placed && !p.discarding;
}

} // namespace

void HintBoard::start(bool enabled) {
    *this = HintBoard();
    on = enabled;
}

void HintBoard::toggle(float now) {
    on = !on;
    current = on ? current : -1;
    toastOn = on ? 1 : 0;
    toastUntil = now + toastSeconds;
}

void HintBoard::watchGame(const LiveMode& game, float now) {
    if (current >= 0 && now >= until) {
        endedAt[current] = now;
        current = -1;
    }
    bool idle = false;
    bool spent = false;
    for (const Gear* p : game.gears) {
        idle = idle || idleAfterDrop(*p, game);
        spent = spent || spentOnBoard(*p);
    }
    const PlayWatch& watch = game.watch;
    offer(Hint::Drop, watch.piecesDropped == 0, now);
    offer(Hint::Relay, watch.dead() && watch.episodes.size() == 1, now); // its first death
    offer(Hint::Taut,
          watch.stillChainSeconds >= tautSeconds && watch.shownCondition == ChainCondition::Taut,
          now);
    offer(Hint::Idle, idle, now);
    offer(Hint::Spent, spent, now);
}

void HintBoard::offer(Hint hint, bool due, float now) {
    const int h = static_cast<int>(hint);
    if (!due) {
        if (current == h) { // its moment has passed: take it back
            endedAt[h] = now;
            current = -1;
        }
        return;
    }
    const bool rested = shown[h] == 0 || now - endedAt[h] >= restSeconds;
    if (on && current < 0 && shown[h] < timesPerGame && rested) {
        current = h;
        until = now + showSeconds;
        ++shown[h];
    }
}

int HintBoard::showing(float now) const {
    return on && current >= 0 && now < until ? current : -1;
}

int HintBoard::toast(float now) const {
    return now < toastUntil ? toastOn : -1;
}

Tip chooseTip(const PlayWatch& watch, float gameSeconds) {
    if (watch.dead()) {
        // Dead at the end: a taut chain wants its far piece closer, any other the C key.
        return watch.episodes.back().condition == ChainCondition::Taut ? Tip::Taut : Tip::Relay;
    }
    if (gameSeconds - watch.lastTurnSeconds >= noTurnTipSeconds) {
        return Tip::NoTurn;
    }
    if (watch.piecesDropped >= offChainTipPieces &&
        watch.droppedTouched * 2 < watch.piecesDropped) {
        return Tip::OffChain;
    }
    return Tip::Stretch;
}
