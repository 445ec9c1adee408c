#pragma once

#include "audio/SoundBank.h"
#include "gfx/Sprite.h"
#include "gfx/Vec3.h"
#include "play/FrameClock.h"
#include "play/Hints.h"
#include "play/PlayWatch.h"
#include "play/PlayerRecords.h"
#include "play/State.h"

#include <cstddef>
#include <cstdint>
#include <vector>

class BoardSquare;
class Chain;
class Gear;

// The play state: builds one game, runs its rules every frame and hands over to the end screen.
class LiveMode : public State {
public:
    bool won = false;
    SoundBank sounds;
    bool alarmOn = false;
    float gameStart = 0.0f;
    Chain* chain = nullptr;
    std::vector<Gear*> gears; // every piece in play, in order of creation; owning
    Gear* heldGear = nullptr;
    Gear* motor = nullptr;
    bool carrying = false;
    std::vector<BoardSquare*> squares; // owning
    Sprite background;
    Sprite powerMarker;
    float lastPressTime = -1.0f;
    float lastRelaySeconds = -1.0e9f; // game seconds of the last time the chain was laid again
    // Whether the way back (C, its button, relaxed mode's own) is there: the census of dead
    // chains measures the game without it too.
    bool relayAllowed = true;
    bool paused = false;
    float playedSeconds = 0.0f;  // how long the game lasted, once it is decided
    std::uint32_t dealtFrom = 0; // the dealer's state as the game began: a replay deals alike
    // Relaxed mode, read by enter: every square fades at relaxedFadeFactor times the usual
    // rate and a bulb relights the squares within relaxedRelightRadii of its radius; nothing
    // else changes. Off, the game is the usual one to the constant.
    bool relaxed = false;
    // What the overlays and hints read about the play; the rules never read it.
    PlayWatch watch;
    HintBoard hints;

    // The game's length: it is won once this much game time has passed.
    static constexpr float gameLength = 240.0f;
    static constexpr float chainLinkLength = 25.0f;
    // How much more slowly the board fades in relaxed mode, and how far a bulb's light reaches
    // there: a board left alone still goes dark 100 s before the end, while a newcomer who drops
    // pieces on the chain wins most games. A newcomer's bulbs sit along the chain and relight the
    // same squares again and again, so it is the reach that carries them, not a slower fade
    // (docs/gameplay.md).
    static constexpr float relaxedFadeFactor = 0.5f;
    static constexpr int relaxedRelightRadii = 4;

    // The clock is the one the shell ticks; the end screen is where a finished game goes; the
    // records (the shell's, kept up to date) decide the first games' hints.
    explicit LiveMode(FrameClock& clock, State* endScreen = nullptr,
                      const Records* records = nullptr)
        : State("live"), clock(&clock), endScreen(endScreen), records(records) {}
    ~LiveMode() override;

    bool enter(State* previous) override;
    bool release(State* next) override;
    void draw() override;
    // The play field exactly as the rules draw it, without anything drawn over it.
    void drawRules();
    void update() override;
    void mouse(int button, int state, int x, int y) override;
    void motion(int x, int y) override;
    void passiveMotion(int x, int y) override;
    void keyboard(unsigned char key, int x, int y) override;
    bool still() const override { return paused; }
    Screen screen() const override { return Screen::Play; }
    void windowHidden() override { pause(); }
    bool outcome(GameOutcome& out) const override;

    void spawnGear();
    // Lays the chain again round the motor as at the start of a game, with the links it has
    // now; the pieces stay where they are. The way back from a chain that no longer moves.
    void relayChain();
    // Whether the button that lays the chain again shows: while the chain stands still or is
    // dead.
    bool relayOffered() const;
    // In relaxed mode a chain dead this long is laid again by the game itself.
    static constexpr float autoRelaySeconds = 5.0f;

    // A paused game holds its clock (no rule sees the time that passes), its loops and its
    // pieces; only the quit keys and resuming reach it.
    void pause();
    void resume();
    // Game seconds since enter.
    float gameSeconds() const;
    // Whole seconds left to play, rounded up: 240 when the game begins, 0 when it is won.
    int secondsLeft() const;

    // The first piece in play order under the point that a press may pick, or none.
    Gear* pieceAt(Vec3 point) const;

    // Hands over to the end screen with the outcome (also a watched game stopped early).
    void finishGame(bool victory);

private:
    FrameClock* clock;
    State* endScreen;
    const Records* records;

    // The steps of a frame, in the order update runs them.
    bool timeIsUp() const;
    float fadeBoard(); // returns the power level
    void soundAlarm(float level);
    void movePowerMarker(float level);
    void runPieces();
    void removePiece(std::size_t index);

    // Everything over the rules' drawing: the marks on the pieces, the taut-chain sign, the
    // bin's sign, the countdown, the hints and the pause sign.
    void drawOverlay();
    void drawPieceMarks() const;
    void drawBinSign() const;
    void drawChainSign() const;
    // The last thing of a frame: the chain's steps for the frame's whole milliseconds. Returns
    // the chain time stepped, in seconds.
    float stepChain();
    // One bulb payout of piece p: relights the squares around it.
    void relightAround(const Gear& p);
    // Tells the watch what the player's release did near the chain.
    void noteDrop(const Gear& piece);
};

extern LiveMode liveMode;
