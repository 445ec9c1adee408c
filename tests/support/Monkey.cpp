#include "Monkey.h"

#include "MonkeyInvariants.h"
#include "MonkeyRandom.h"
#include "BoardLight.h"
#include "PointerInput.h"

#include "app/Replays.h"

#include "app/Callbacks.h"
#include "gfx/Camera.h"
#include "app/FrameClock.h"
#include "audio/SoundDevice.h"
#include "physics/Chain.h"
#include "play/BoardSquare.h"
#include "play/DealGenerator.h"
#include "play/Gear.h"
#include "play/LiveMode.h"
#include "app/Buttons.h"
#include "states/EndState.h"
#include "states/StartState.h"

#include <GL/gl.h>

#include <cmath>
#include <cstring>
#include <new>
#include <sstream>

namespace {

using namespace input;
constexpr int altModifier = 4; // GLUT_ACTIVE_ALT
constexpr int f4Key = 4;       // GLUT_KEY_F4
constexpr int maxStepMs = 200;
// Now and then a frame of 1 to 12 s, longer than a loose piece's whole life; about one a game.
constexpr double stallChance = 0.001;
// Late left releases on the end screen end the process; stay well inside the ignored window.
constexpr float endScreenSafeSeconds = 4.5f;

struct Digest {
    std::uint64_t value = 1469598103934665603ull; // FNV-1a
    void add(const void* data, std::size_t size) {
        const auto* bytes = static_cast<const unsigned char*>(data);
        for (std::size_t i = 0; i < size; ++i) {
            value = (value ^ bytes[i]) * 1099511628211ull;
        }
    }
    void add(float f) { add(&f, sizeof f); }
    void add(int i) { add(&i, sizeof i); }
};

// The styles a seed's player can have. The helpers drag dealt pieces onto the chain near the
// darkest squares, so their games often last; noise is the share of frames with random events.
// Most frames last up to 0.2 s, so a game takes few of them; the smooth player runs at the frame
// rates of a real machine, where a whole game takes close to 20,000 frames.
struct Style {
    const char* name;
    bool helps;
    double noise;
    int maxStepMs;
};
constexpr Style chaos{"chaos", false, 1.0, 200};
constexpr Style noisyHelper{"noisy helper", true, 0.5, 200};
constexpr Style helper{"helper", true, 0.15, 200};
constexpr Style calmHelper{"calm helper", true, 0.03, 200};
constexpr Style smoothHelper{"smooth helper", true, 0.01, 25};
// By the seed's last digit.
constexpr Style styles[] = {chaos,       noisyHelper, helper,     calmHelper, chaos,
                            noisyHelper, helper,      calmHelper, calmHelper, smoothHelper};

class Monkey {
public:
    explicit Monkey(const MonkeyOptions& options)
        : options(options), random(options.seed),
          style(styles[options.seed % (sizeof styles / sizeof styles[0])]) {
        result.seed = options.seed;
        result.style = style.name;
    }

    MonkeyResult play();

private:
    Vec3 somewhere();
    void randomEvent();
    void mouseAt(int button, int state, Vec3 where);
    void help();
    Vec3 besideTheDarkestSquares(float radius) const;
    void frame();
    void check(const char* after);
    void recordFrame();

    MonkeyOptions options;
    MonkeyRandom random;
    Style style;
    MonkeyResult result;
    Digest digest;
    int nowMs = 0;
    float playStart = 0.0f;
    float nextHelpAt = 0.0f;
    float lastTotalLight = 100 * BoardSquare::startLight;
    int endFramesLeft = -1;
    int gameAPresses = 0; // A keys that added a gear to the game in play
};

Vec3 Monkey::somewhere() {
    const int pick = random.below(100);
    if (pick < 35 && currentState == &liveMode && !liveMode.gears.empty()) {
        const Gear* p = liveMode.gears[static_cast<std::size_t>(
            random.below(static_cast<int>(liveMode.gears.size())))];
        const float reach = static_cast<float>(p->radius) * 1.2f;
        return {p->position.x + random.between(-reach, reach),
                p->position.y + random.between(-reach, reach), 0.0f};
    }
    if (pick < 50) { // the chute
        return {random.between(-390.0f, -310.0f), random.between(-260.0f, 220.0f), 0.0f};
    }
    if (pick < 60) { // the bin
        return {random.between(-396.0f, -308.0f), random.between(-254.0f, -176.0f), 0.0f};
    }
    if (pick < 85) { // the board
        return {random.between(-300.0f, 372.0f), random.between(-241.0f, 199.0f), 0.0f};
    }
    if (pick < 97) { // anywhere in or around the window
        return {random.between(-450.0f, 450.0f), random.between(-350.0f, 350.0f), 0.0f};
    }
    // Far outside, as a drag that leaves the window reports it.
    return {random.between(-40000.0f, 40000.0f), random.between(-40000.0f, 40000.0f), 0.0f};
}

void Monkey::mouseAt(int button, int state, Vec3 where) {
    const int x = windowX(where.x);
    const int y = windowY(where.y);
    digest.add(button * 10 + state);
    digest.add(x);
    digest.add(y);
    const bool endScreen = currentState == &endState;
    const HudBox& quit = hud::quitButton;
    const bool onQuit = std::abs(where.x - quit.x) < quit.width / 2 + 1.0f &&
                        std::abs(where.y - quit.y) < quit.height / 2 + 1.0f;
    if (endScreen && button == leftButton && state == up &&
        (onQuit || clockSeconds() - endState.shownAt >= endScreenSafeSeconds)) {
        return; // this one would end the process
    }
    onMouse(button, state, x, y);
    if (endScreen && currentState == &liveMode) {
        gameAPresses = 0; // played again with the button
    }
    ++result.events;
    check("a mouse event");
}

void Monkey::randomEvent() {
    const int pick = random.below(100);
    digest.add(pick);
    const Vec3 where = somewhere();
    if (pick < 22) {
        mouseAt(leftButton, down, where);
    } else if (pick < 44) {
        mouseAt(leftButton, up, where);
    } else if (pick < 64) {
        onMotion(windowX(where.x), windowY(where.y));
    } else if (pick < 78) {
        onPassiveMotion(windowX(where.x), windowY(where.y));
    } else if (pick < 83) {
        mouseAt(random.chance(0.5) ? rightButton : middleButton, random.chance(0.5) ? down : up,
                where);
    } else if (pick < 88) {
        // A double press on one spot; half of them come too late to count as one.
        mouseAt(leftButton, down, where);
        mouseAt(leftButton, up, where);
        if (random.chance(0.5)) {
            frame();
        }
        mouseAt(leftButton, down, where);
    } else if (pick < 93) {
        unsigned char key = static_cast<unsigned char>(random.below(256));
        if (random.chance(0.15)) {
            key = random.chance(0.5) ? 'a' : 'A';
        }
        if (key == 27 || key == 17) {
            key = 'q'; // the quit keys end the process
        }
        digest.add(static_cast<int>(key));
        if (random.chance(0.7)) {
            if ((key == 'a' || key == 'A') && currentState == &liveMode && !liveMode.paused) {
                ++result.aPresses;
                ++gameAPresses;
            }
            const State* before = currentState;
            onKeyboard(key, windowX(where.x), windowY(where.y));
            if (before == &endState && currentState == &liveMode) {
                gameAPresses = 0; // played again: a new game with its own pieces
            }
        } else {
            onKeyboardUp(key, windowX(where.x), windowY(where.y));
        }
    } else if (pick < 98) {
        static const int keys[] = {1,   2,   3,   4,   5,   6,   7,   8,   9,   10,
                                   11,  12,  100, 101, 102, 103, 104, 105, 106, 107,
                                   108, 112, 113, 114, 115, 116, 117, 118, 119};
        const int key = keys[random.below(sizeof keys / sizeof keys[0])];
        int modifiers = random.below(8);
        if (key == f4Key) {
            modifiers &= ~altModifier; // Alt+F4 ends the process
        }
        digest.add(key * 8 + modifiers);
        if (random.chance(0.6)) {
            onSpecialWith(key, modifiers, windowX(where.x), windowY(where.y));
        } else {
            onSpecialUp(key, windowX(where.x), windowY(where.y));
        }
    } else if (pick < 99 && random.chance(0.2)) {
        // The window hidden, covered or shown again (GLUT_HIDDEN .. GLUT_FULLY_COVERED).
        const int status = random.below(4);
        digest.add(100 + status);
        onWindowStatus(status);
    } else {
        // Mostly ordinary sizes; the odd ones include a minimised window's 0 by 0.
        static const int odd[] = {0, 1, 2, 3, 4, -1, 3000, 4000};
        int width = 320 + random.below(1300);
        int height = 240 + random.below(1000);
        if (random.chance(0.4)) {
            width = odd[random.below(sizeof odd / sizeof odd[0])];
            height = random.chance(0.5) ? width : odd[random.below(sizeof odd / sizeof odd[0])];
        }
        digest.add(width * 4096 + height);
        onReshape(width, height);
    }
    ++result.events;
    check("a random event");
}

// On the chain, where a bulb of this radius would relight the darkest part of the board.
Vec3 Monkey::besideTheDarkestSquares(float radius) const {
    const float reach = radius * 3.0f;
    const ChainJoint* best = liveMode.chain->joints.front();
    float bestDarkness = -1.0f;
    for (const ChainJoint* joint : liveMode.chain->joints) {
        const float darkness = darknessAround(liveMode, joint->position, reach);
        if (darkness > bestDarkness) {
            bestDarkness = darkness;
            best = joint;
        }
    }
    return best->position;
}

// A player with a plan: put the dealt piece down where the chain will turn it.
void Monkey::help() {
    LiveMode& game = liveMode;
    const float now = clockSeconds();
    if (now < nextHelpAt || now - game.lastPressTime < 0.6f) {
        return;
    }
    nextHelpAt = now + random.between(0.3f, 2.0f);
    if (game.carrying) {
        mouseAt(leftButton, up, besideTheDarkestSquares(50.0f)); // end a carry the noise started
        return;
    }
    if (game.heldGear != nullptr) {
        mouseAt(leftButton, up, game.heldGear->position);
    }
    const Gear* dealt = nullptr;
    for (const Gear* p : game.gears) {
        if (!p->placed && !p->discarding && p->chuteTime > 0.3f && p->position.y > -120.0f) {
            dealt = p;
            break;
        }
    }
    if (dealt == nullptr) {
        return;
    }
    Vec3 from = dealt->position;
    Vec3 to = besideTheDarkestSquares(static_cast<float>(dealt->radius));
    to.x += random.between(-15.0f, 15.0f);
    to.y += random.between(-15.0f, 15.0f);
    mouseAt(leftButton, down, from);
    const int steps = 2 + random.below(6);
    for (int i = 1; i <= steps; ++i) {
        const float t = static_cast<float>(i) / steps;
        const Vec3 at = from + (to - from) * t;
        onMotion(windowX(at.x), windowY(at.y));
        ++result.events;
        check("a helper's drag");
    }
    mouseAt(leftButton, up, to);
}

void Monkey::recordFrame() {
    digest.add(nowMs);
    if (currentState != &liveMode) {
        return;
    }
    const LiveMode& game = liveMode;
    float totalLight = 0.0f;
    for (const BoardSquare* square : game.squares) {
        totalLight += square->light;
    }
    if (totalLight > lastTotalLight + 1.0f) { // a payout adds 35 to each square it reaches
        ++result.relights;
    }
    lastTotalLight = totalLight;
    digest.add(totalLight);
    digest.add(static_cast<int>(game.gears.size()));
    for (const Gear* p : game.gears) {
        digest.add(p->position.x);
        digest.add(p->position.y);
        digest.add(p->angle);
    }
    if (game.chain != nullptr) {
        const auto& joints = game.chain->joints;
        digest.add(static_cast<int>(joints.size()));
        digest.add(joints.front()->position.x);
        digest.add(joints.back()->position.y);
        result.mostLinks = std::max(result.mostLinks, static_cast<int>(game.chain->links.size()));
    }
    result.mostPieces = std::max(result.mostPieces, static_cast<int>(game.gears.size()));
}

// One idle pass and one display pass, as the GLUT loop makes them.
void Monkey::frame() {
    int step = random.below(style.maxStepMs + 1);
    if (random.chance(0.05)) {
        step = random.chance(0.5) ? 0 : random.below(maxStepMs + 1);
    }
    if (currentState == &endState) {
        // Keep the whole visit to the end screen inside its ignored five seconds.
        step = std::min(step, 180);
    } else if (random.chance(stallChance * style.maxStepMs / maxStepMs)) {
        step = 1000 + random.below(11000); // the machine stalled, or a step took that long
    }
    nowMs += step;
    idleStep(nowMs);
    recorder.afterFrame(); // as the idle callback does: every game is recorded
    ++result.frames;
    check("an idle step");
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    glPushMatrix();
    currentState->draw();
    glPopMatrix();
    check("a draw");
    recordFrame();
}

void Monkey::check(const char* after) {
    if (!result.failure.empty()) {
        return;
    }
    std::string broken = brokenScreenInvariant(liveMode);
    if (broken.empty() && liveMode.chain != nullptr) {
        broken = brokenPlayInvariant(liveMode, gameAPresses);
    }
    if (!broken.empty()) {
        std::ostringstream out;
        out << broken << " (after " << after << ", frame " << result.frames << ", "
            << nowMs / 1000.0 << " s)";
        result.failure = out.str();
    }
}

MonkeyResult Monkey::play() {
    releasePlayState();
    dealGenerator.reset(options.seed);
    resetFrameClockHolds();
    elapsedMs = previousMs = frameMs = 0;
    frameSeconds = 0.0f;
    camera.reset();
    camera.position.z = -50.0f;
    camera.perspective = false;
    activeCamera = &camera;
    currentState = nullptr;
    switchState(&startState);
    onReshape(800, 600); // GLUT's first event once the window shows

    // The first pass measures from start-up, so its step can be long.
    nowMs = random.below(1500);
    while (result.failure.empty() && result.frames < options.maxFrames && endFramesLeft != 0) {
        const bool playing = currentState == &liveMode;
        if (playing && !result.reachedPlay) {
            result.reachedPlay = true;
            playStart = liveMode.gameStart;
        }
        if (playing && options.maxPlaySeconds > 0.0f &&
            clockSeconds() - playStart >= options.maxPlaySeconds) {
            break;
        }
        if (playing && liveMode.paused && random.chance(0.1)) {
            onKeyboard('p', 0, 0); // players come back to a paused game before long
        }
        if (playing && style.helps) {
            help();
        }
        if (!style.helps || currentState != &liveMode || random.chance(style.noise)) {
            const int events = style.helps ? 1 : random.below(5);
            for (int i = 0; i < events && result.failure.empty(); ++i) {
                randomEvent();
            }
        }
        if (style.helps && currentState == &startState && random.chance(0.2)) {
            mouseAt(leftButton, up, somewhere());
        }
        if (!result.failure.empty()) {
            break;
        }
        frame();
        if (currentState == &endState) {
            if (!result.reachedEnd) {
                result.reachedEnd = true;
                result.won = liveMode.won;
                result.playSeconds = endState.shownAt - playStart;
                endFramesLeft = options.endFrames;
            }
            --endFramesLeft;
        }
    }
    if (result.reachedPlay && !result.reachedEnd) {
        result.playSeconds = clockSeconds() - playStart;
    }
    result.digest = digest.value;
    return result;
}

} // namespace

MonkeyResult playMonkeyGame(const MonkeyOptions& options) {
    Monkey monkey(options);
    return monkey.play();
}

void releasePlayState() {
    // A game stopped in play is recorded as quit; then the recorder starts over as in a new
    // process.
    recorder.quit();
    recorder.forget();
    if (currentState == &liveMode || currentState == &endState) {
        currentState = nullptr;
    }
    LiveMode& game = liveMode;
    game.release(nullptr);
    // The sound bank closes the device when it is destroyed at exit; do the same here and start
    // over with a bank as constructed.
    game.sounds.~SoundBank();
    new (&game.sounds) SoundBank();
    game.won = false;
    game.alarmOn = false;
    game.gameStart = 0.0f;
    game.heldGear = nullptr;
    game.motor = nullptr;
    game.carrying = false;
    game.background = Sprite();
    game.powerMarker = Sprite();
    game.lastPressTime = -1.0f;
    game.gears.shrink_to_fit();
    game.squares.shrink_to_fit();
}

const char* monkeyStyle(std::uint32_t seed) {
    return styles[seed % (sizeof styles / sizeof styles[0])].name;
}

std::string describe(const MonkeyResult& r) {
    std::ostringstream out;
    out << "seed " << r.seed << " (" << r.style << "): " << describeOutcome(r);
    return out.str();
}

std::string describeOutcome(const MonkeyResult& r) {
    std::ostringstream out;
    out << r.frames << " frames, " << r.events << " events, ";
    if (!r.reachedPlay) {
        out << "never reached play";
    } else {
        out << r.playSeconds << " s of play, "
            << (r.reachedEnd ? (r.won ? "won" : "lost") : "undecided") << ", up to " << r.mostPieces
            << " pieces and " << r.mostLinks << " links, " << r.aPresses << " A keys, "
            << r.relights << " relights";
    }
    if (!r.failure.empty()) {
        out << ": FAILED: " << r.failure;
    }
    return out.str();
}
