#pragma once

class LiveMode;
class PlayWatch;

// The captions that teach a new player, each at the moment it matters.
enum class Hint { Drop, Relay, Taut, Idle, Spent }; // in the order they take precedence
constexpr int hintKinds = 5;

// The end screen's tip after a lost game: what stood out in it.
enum class Tip { None = -1, Taut, NoTurn, OffChain, Stretch, Relay };

// Whether the hints show: as --hints, --no-hints or the H key decided, else in the first games.
struct HintChoice {
    static constexpr int firstGames = 3;
    int forced = -1; // -1: by the games played; 0: off; 1: on
    bool on(int gamesPlayed) const { return forced >= 0 ? forced == 1 : gamesPlayed < firstGames; }
};
extern HintChoice hintChoice;

// The hints of one game. One caption shows at a time, for a few seconds, and each hint only a
// few times a game; nothing here stops or slows the play. Times are seconds of game time.
class HintBoard {
public:
    static constexpr int timesPerGame = 2;
    static constexpr float showSeconds = 4.0f;
    static constexpr float restSeconds = 20.0f; // before the same hint may show again
    static constexpr float toastSeconds = 1.5f; // "hints on" / "hints off"
    static constexpr float idleSeconds = 2.0f;  // a dropped piece unturned this long
    static constexpr float tautSeconds = 2.0f;  // the chain still this long

    void start(bool enabled);
    bool enabled() const { return on; }
    // H: turns the hints on or off for this game and shows the toast.
    void toggle(float now);
    // One frame: offers every hint whose moment has come, takes back those whose has passed.
    void watchGame(const LiveMode& game, float now);

    // The caption showing at `now`, or -1.
    int showing(float now) const;
    // The toast showing at `now`: 1 "hints on", 0 "hints off", -1 none.
    int toast(float now) const;
    int timesShown(Hint hint) const { return shown[static_cast<int>(hint)]; }

private:
    void offer(Hint hint, bool due, float now);

    bool on = false;
    int current = -1;
    float until = 0.0f;
    int shown[hintKinds] = {};
    float endedAt[hintKinds] = {};
    int toastOn = -1;
    float toastUntil = 0.0f;
};

// The tip for a game lost after gameSeconds, from what the watch saw.
Tip chooseTip(const PlayWatch& watch, float gameSeconds);
