#include "play/LiveMode.h"

#include "gfx/Figures.h"
#include "gfx/Hud.h"
#include "play/Gear.h"

namespace {

// "m:ss" centred in the slot on the power strip.
constexpr FigurePlace countdownPlace{310.0f, -274.0f, 32.0f, 18.0f, 10.0f};

constexpr float pipSize = 10.0f;
constexpr float pipStep = 12.0f;
constexpr float turningRingWiden = 12.0f; // the ring sits just outside the piece's rim
constexpr float bulbPip[4] = {1.0f, 0.85f, 0.2f, 1.0f};
constexpr float addLinkPip[4] = {0.35f, 1.0f, 0.45f, 1.0f};
constexpr float faint[4] = {1.0f, 1.0f, 1.0f, 0.45f};

const char* const hintPictures[hintKinds] = {"./img/hud/hint-drop.png", "./img/hud/hint-relay.png",
                                             "./img/hud/hint-taut.png", "./img/hud/hint-idle.png",
                                             "./img/hud/hint-spent.png"};

// The sign for each way a chain stands still, by ChainCondition (none while it moves).
const char* const chainSigns[] = {nullptr, "./img/hud/chain-taut.png", "./img/hud/chain-heap.png",
                                  "./img/hud/chain-off.png"};

} // namespace

float LiveMode::gameSeconds() const {
    return clock->seconds() - gameStart;
}

void LiveMode::drawOverlay() {
    drawPieceMarks();
    drawChainSign();
    drawBinSign();

    // The countdown in its slot on the power strip, red for the last half minute.
    const int left = secondsLeft();
    static constexpr float white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    static constexpr float red[4] = {1.0f, 0.25f, 0.2f, 1.0f};
    drawFigures(minutesAndSeconds(left), countdownPlace, left < 30 ? red : white);
    if (relaxed) {
        drawHud("./img/hud/relaxed.png", hud::relaxedBadge);
    }

    // The title bar holds one thing at a time: the pause sign, the hints toast or a hint.
    const float now = gameSeconds();
    const int toast = hints.toast(now);
    const int hint = hints.showing(now);
    // Each on a plate of the bar's colour that hides the title.
    if (paused) {
        drawPlate(hud::titlePlate, hud::titleBarColor);
        drawHud("./img/hud/paused.png", hud::pausedBanner);
    } else if (toast >= 0) {
        drawPlate(hud::titlePlate, hud::titleBarColor);
        drawHud(toast == 1 ? "./img/hud/hints-on.png" : "./img/hud/hints-off.png", hud::hintsToast);
    } else if (hint >= 0) {
        drawPlate(hud::titlePlate, hud::titleBarColor);
        drawHud(hintPictures[hint], hud::hintCaption);
    }
}

// On each piece, sized by its picture as drawn: a ring turning with it while the chain turns
// it, a pip per charge left, and across a piece that has paid out its last charge a "spent"
// band.
void LiveMode::drawPieceMarks() const {
    for (const Gear* p : gears) {
        const float size = p->scale.x;
        if (p == motor || !(size > 0.0f)) {
            continue;
        }
        const Vec3 c = p->position;
        if (p->seen.turning) {
            const float ring = size + turningRingWiden;
            drawHud("./img/hud/turning.png", {c.x, c.y, ring, ring}, nullptr, p->angle);
        }
        if (!p->hadPayload()) {
            continue;
        }
        if (p->charges <= 0) {
            drawHud("./img/hud/spent.png", {c.x, c.y, size, size});
            continue;
        }
        const float* tint = p->payload == Bulb ? bulbPip : addLinkPip;
        const float first = c.x - (p->charges - 1) * pipStep * 0.5f;
        const float y = c.y - size * 0.5f + pipSize;
        for (int i = 0; i < p->charges; ++i) {
            drawHud("./img/hud/pip.png", {first + i * pipStep, y, pipSize, pipSize}, tint);
        }
    }
}

// How the chain stands while it is still, with the remedy in a few words, for as long as it
// stands so; the piece that holds a taut chain is marked; and the button that lays it again.
void LiveMode::drawChainSign() const {
    const char* sign = chainSigns[static_cast<int>(watch.shownCondition)];
    if (motor == nullptr || chain == nullptr) {
        return;
    }
    if (sign != nullptr) {
        drawHud(sign, hud::chainSign);
    }
    const Gear* holding =
        watch.shownCondition == ChainCondition::Taut ? watch.holdingPiece : nullptr;
    if (holding != nullptr) {
        const float ring = holding->scale.x + turningRingWiden;
        drawHud("./img/hud/holding.png", {holding->position.x, holding->position.y, ring, ring});
    }
    if (relayOffered()) {
        drawHud("./img/hud/relay.png", hud::relayButton);
    }
}

bool LiveMode::relayOffered() const {
    return chain != nullptr && relayAllowed &&
           (watch.shownCondition != ChainCondition::Moving || watch.dead());
}

// While a piece is carried, or dragged from the chute, the bin tells what a release would do:
// a piece whose centre is over the bin falls in it, unless its circle still reaches the board,
// and then it lands there. Elsewhere the sign only shows, faintly, that the bin takes it.
void LiveMode::drawBinSign() const {
    if (heldGear == nullptr || (!carrying && heldGear->placed)) {
        return;
    }
    const Landing landing = heldGear->landing();
    if (landing == Landing::Bin) {
        drawHud("./img/hud/bin-drop.png", hud::bin);
    } else if (landing == Landing::Board && heldGear->overBin()) {
        drawHud("./img/hud/bin-place.png", hud::bin);
    } else {
        drawHud("./img/hud/bin-drop.png", hud::bin, faint);
    }
    heldGear->draw(); // the piece in hand stays on top of the sign
}
