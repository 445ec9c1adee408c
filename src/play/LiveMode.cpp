#include "play/LiveMode.h"

#include "physics/Chain.h"
#include "play/BoardSquare.h"
#include "play/DealGenerator.h"
#include "play/Gear.h"
#include "play/PlayField.h"

#include <algorithm>
#include <cmath>
#include <cstddef>

namespace {

constexpr int squareCount = 100;
constexpr int squaresPerColumn = 10;
constexpr double levelOffset = 30.0; // average light that reads as an empty power level
constexpr double levelFactor = 1.43;
constexpr float alarmStartBelow = 20.0f;
constexpr float alarmStopAbove = 30.0f;
constexpr float defeatAtOrBelow = 5.0f;
constexpr int relightRadii = 3;
constexpr float relightAmount = 35.0f;
constexpr int linksPerPayout = 6;
constexpr int startLinks = 35;
constexpr Vec3 chainOrigin{-295.0f, -230.0f, 0.0f};
constexpr int payoutLinkLength = 25;

// The chain's clock: one step per whole millisecond of the frame, at most this many a frame.
constexpr float chainStepSeconds = 0.001f;
constexpr int maxChainStepsPerFrame = 100;

// What the dealer hands out, by the value of the generator mod 5.
struct Deal {
    float radius;
    int payload;
    int charges;
};
constexpr Deal deals[] = {
    {20.0f, Bulb, 1}, {30.0f, Bulb, 2}, {40.0f, Bulb, 3}, {50.0f, Bulb, 4}, {50.0f, AddLink, 1},
};
constexpr int dealCount = sizeof(deals) / sizeof(deals[0]);

} // namespace

// At exit only the arrays' storage goes: the pieces, squares and chain live until the process
// ends anyway, and the sound bank's destructor closes the sound system after the sprites are
// gone.
LiveMode::~LiveMode() = default;

bool LiveMode::enter(State*) {
    if (chain != nullptr) {
        release(this); // a game played before this one: give it up first
    }
    dealtFrom = dealGenerator.seed();
    won = false;
    paused = false;
    playedSeconds = 0.0f;
    watch.reset();
    hints.start(hintChoice.on(records != nullptr ? records->gamesPlayed() : 0));
    gameStart = clock->seconds();

    chain =
        new Chain(startLinks, chainLinkLength, "./img/link.png", chainOrigin, field::jointEdges);
    heldGear = nullptr;
    gears.clear(); // enter runs once per process: nothing is held here yet

    motor = new Gear(50.0f, "./img/motor.png", 200.0f);
    motor->position = {-236.0f, -171.0f, 0.0f};
    motor->placed = true;
    motor->scale = {100.0f, 100.0f, 100.0f};
    gears.push_back(motor);
    chain->attach(motor);

    Gear* firstGear = new Gear(25.0f, "./img/gear.png", 0.0f);
    firstGear->position = {-50.0f, -75.0f, 0.0f};
    firstGear->placed = true;
    firstGear->scale = {50.0f, 50.0f, 50.0f};
    gears.push_back(firstGear);
    chain->attach(firstGear);

    background.setTexture("./img/bg.jpg");
    background.scale = {800.0f, 800.0f, 800.0f};

    if (!sounds.loaded()) { // a game played again keeps the sounds of the first
        sounds.init();
        sounds.loadLoop("./sounds/alarm.wav", "alarm");
        sounds.loadSound("./sounds/good.wav", "good");
        sounds.loadLoop("./sounds/motor.wav", "motor");
        sounds.loadSound("./sounds/roll.wav", "roll");
        sounds.loadSound("./sounds/trash.wav", "trash");
        sounds.loadSound("./sounds/chain.wav", "chain");
    }
    sounds.play("motor"); // runs until the process ends

    spawnGear();

    powerMarker.color[0] = 1.0f;
    powerMarker.color[1] = 1.0f;
    powerMarker.color[2] = 0.0f;
    powerMarker.scale = {4.0f, 36.0f, 1.0f};

    // Column by column from the bottom left; the squares touch without gaps.
    for (int i = 0; i < squareCount; ++i) {
        BoardSquare* square = new BoardSquare(clock->frameSeconds);
        square->scale = {67.2f, 44.0f, 1.0f};
        const int column = i / squaresPerColumn;
        const int row = i % squaresPerColumn;
        square->position = {static_cast<float>(column * 67.2 - 266.4),
                            static_cast<float>(row * 44 - 219), 0.0f};
        if (relaxed) {
            square->fadeRate *= relaxedFadeFactor;
        }
        squares.push_back(square);
    }
    return true;
}

bool LiveMode::release(State*) {
    resume();
    sounds.stopAll();
    // The chain goes first, so it never refers to a piece that is already gone.
    delete chain;
    chain = nullptr;
    for (Gear* piece : gears) {
        delete piece;
    }
    gears.clear();
    motor = nullptr;
    heldGear = nullptr;
    carrying = false;
    alarmOn = false;
    lastPressTime = -1.0f; // a game built after this one starts with no press behind it
    lastRelaySeconds = -1.0e9f;
    watch = PlayWatch(); // its storage too
    for (BoardSquare* square : squares) {
        delete square;
    }
    squares.clear();
    return true;
}

// One frame of the rules, step by step; a decided game stops the frame where it is decided.
void LiveMode::update() {
    if (paused) {
        return; // the clock is held: nothing has happened since the last frame
    }
    if (timeIsUp()) {
        finishGame(true);
        return;
    }
    const float level = fadeBoard();
    soundAlarm(level);
    if (level <= defeatAtOrBelow) {
        finishGame(false);
        return;
    }
    movePowerMarker(level);
    runPieces();
    watch.beforeChain(*this);
    const float chainSeconds = stepChain();
    watch.afterChain(*this, chainSeconds, clock->frameSeconds, gameSeconds());
    if (relaxed && watch.dead()) {
        // Relaxed mode does not leave a newcomer with a dead chain: it lays it again, and again
        // while that does not bring it back.
        const float since =
            std::max(watch.episodes.back().began + PlayWatch::deadSeconds, lastRelaySeconds);
        if (gameSeconds() - since >= autoRelaySeconds) {
            relayChain();
        }
    }
    hints.watchGame(*this, gameSeconds());
}

// Victory is decided before the board fades: a game that lasted long enough is won.
bool LiveMode::timeIsUp() const {
    return clock->seconds() - gameStart > gameLength;
}

float LiveMode::fadeBoard() {
    float total = 0.0f;
    for (BoardSquare* square : squares) {
        total += square->fade(clock->frameSeconds);
    }
    const float average = total / squareCount;
    const auto level = static_cast<float>((average - levelOffset) * levelFactor);
    return level < 0.0f ? 0.0f : (level > 100.0f ? 100.0f : level);
}

// Hysteresis: between the two thresholds the alarm keeps its state.
void LiveMode::soundAlarm(float level) {
    if (level < alarmStartBelow && !alarmOn) {
        alarmOn = true;
        sounds.play("alarm");
    }
    if (level > alarmStopAbove && alarmOn) {
        alarmOn = false;
        sounds.stop("alarm");
    }
}

void LiveMode::movePowerMarker(float level) {
    powerMarker.position = {static_cast<float>(level * 3.85 - 180), -274.0f, 0.0f};
}

// Rolls, bins and pays out every piece. The length is read on every step: a piece dealt during
// the loop is visited in it too. It rolls in this frame but leaves at the next at the earliest:
// after a frame longer than a piece's whole life (a stalled machine, a slow start of play) each
// replacement would otherwise be gone at once and replaced again, for ever.
void LiveMode::runPieces() {
    std::size_t piecesBefore = gears.size();
    for (std::size_t i = 0; i < gears.size();) {
        Gear* p = gears[i];
        if (p != heldGear && p->advanceRoll(clock->frameSeconds) && i < piecesBefore) {
            --piecesBefore;
            removePiece(i);
            continue; // the piece that moved into slot i still gets its turn
        }
        const int kind = p->checkPayout();
        if (kind == Bulb) {
            sounds.play("good");
            relightAround(*p);
        } else if (kind == AddLink) {
            sounds.play("chain");
            if (chain != nullptr) {
                chain->addLinks(linksPerPayout, payoutLinkLength);
                watch.note(ChainEvent::AddLinkPayout, gameSeconds());
            }
        }
        ++i;
    }
}

// A piece gone into the bin. A dealt piece that never made it onto the board is replaced first.
void LiveMode::removePiece(std::size_t index) {
    Gear* p = gears[index];
    if (!p->placed) {
        spawnGear(); // there is always one dealt piece waiting
    }
    if (chain != nullptr) {
        chain->detach(p); // a piece added with the A key is on the chain in the chute
    }
    if (p == motor) {
        motor = nullptr;
    }
    delete p;
    gears.erase(gears.begin() + static_cast<std::ptrdiff_t>(index));
    sounds.play("trash");
}

float LiveMode::stepChain() {
    if (chain == nullptr) {
        return 0.0f;
    }
    // The chain runs on its own clock of whole milliseconds, whatever the frame rate; a frame
    // longer than the cap leaves the chain behind rather than stalling the game.
    const int steps = std::min(clock->frameMs, maxChainStepsPerFrame);
    for (int i = 0; i < steps; ++i) {
        chain->step(chainStepSeconds);
    }
    return steps > 0 ? static_cast<float>(steps * chainStepSeconds) : 0.0f;
}

void LiveMode::relightAround(const Gear& p) {
    const int radii = relaxed ? relaxedRelightRadii : relightRadii;
    for (BoardSquare* square : squares) {
        const Vec3 e = square->position - p.position;
        const float d = std::sqrt(dot(e, e));
        if (p.radius * radii > d) {
            square->relight(relightAmount);
        }
    }
}

void LiveMode::finishGame(bool victory) {
    won = victory;
    playedSeconds = std::min(clock->seconds() - gameStart, gameLength);
    // The game is over: its loops end with it rather than playing on over the end screen.
    sounds.stop("motor");
    sounds.stop("alarm");
    alarmOn = false;
    if (endScreen != nullptr) {
        switchState(endScreen);
    }
}

bool LiveMode::outcome(GameOutcome& out) const {
    out.won = won;
    out.playedSeconds = playedSeconds;
    out.relaxed = relaxed;
    out.watch = &watch;
    return true;
}

void LiveMode::relayChain() {
    if (chain == nullptr || paused || !relayAllowed) {
        return;
    }
    chain->relay(chainOrigin);
    lastRelaySeconds = gameSeconds();
    watch.note(ChainEvent::Relaid, lastRelaySeconds);
}

void LiveMode::pause() {
    if (paused || chain == nullptr) {
        return;
    }
    paused = true;
    clock->hold();
    sounds.pauseAll();
}

void LiveMode::resume() {
    if (!paused) {
        return;
    }
    paused = false;
    clock->release();
    sounds.resumeAll();
}

int LiveMode::secondsLeft() const {
    const double left = std::ceil(gameLength - (clock->seconds() - gameStart));
    return left < 0.0 ? 0 : static_cast<int>(left);
}

void LiveMode::spawnGear() {
    const Deal& deal = deals[dealGenerator.next() % dealCount];
    Gear* piece = new Gear(deal.radius, "./img/gear.png", 0.0f);
    piece->setPayload(deal.payload, deal.charges);
    gears.push_back(piece); // not on the chain until it is placed on the board
    sounds.play("roll");
}
