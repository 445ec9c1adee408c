#include "MonkeyInvariants.h"

#include "gfx/Camera.h"
#include "app/FrameClock.h"
#include "gfx/TextureCache.h"
#include "physics/Chain.h"
#include "play/BoardSquare.h"
#include "play/Gear.h"
#include "play/LiveMode.h"
#include "states/EndState.h"
#include "states/StartState.h"

#include <algorithm>
#include <cmath>
#include <cstddef>
#include <sstream>
#include <unordered_map>
#include <unordered_set>

namespace {

// Collects the first complaint; later ones are usually consequences of it.
class Complaint {
public:
    template <typename... Parts>
    void operator()(const Parts&... parts) {
        if (!text.empty()) {
            return;
        }
        std::ostringstream out;
        (out << ... << parts);
        text = out.str();
    }
    bool any() const { return !text.empty(); }
    std::string text;
};

bool finite(Vec3 v) {
    return std::isfinite(v.x) && std::isfinite(v.y) && std::isfinite(v.z);
}

bool finiteSprite(const Sprite& s) {
    return finite(s.position) && finite(s.offset) && finite(s.scale) && std::isfinite(s.angle) &&
           std::isfinite(s.color[0]) && std::isfinite(s.color[1]) && std::isfinite(s.color[2]) &&
           std::isfinite(s.color[3]);
}

// Average light of the board as the rules turn it into a power level, unclamped.
double rawLevel(const LiveMode& game) {
    float total = 0.0f;
    for (const BoardSquare* square : game.squares) {
        total += square->light;
    }
    return (total / 100.0f - 30.0) * 1.43;
}

void checkPieces(const LiveMode& game, int aPresses, Complaint& complain) {
    std::unordered_set<const Gear*> alive;
    int unplaced = 0;
    int unplacedDealt = 0;
    for (std::size_t i = 0; i < game.gears.size(); ++i) {
        const Gear* p = game.gears[i];
        if (p == nullptr) {
            complain("piece ", i, " is null");
            return;
        }
        if (!alive.insert(p).second) {
            complain("piece ", i, " is in play twice");
            return;
        }
        if (!finiteSprite(*p) || !finiteSprite(p->icon) || !std::isfinite(p->turned) ||
            !std::isfinite(p->chuteTime) || !finite(p->grabOffset) || !finite(p->pickupPosition) ||
            !finite(p->catchPoint)) {
            complain("piece ", i, " has a value that is not finite");
        }
        if (p->lifted && !(game.carrying && p == game.heldGear)) {
            complain("piece ", i, " is lifted but not carried");
        }
        if (!p->placed) {
            ++unplaced;
            // Dealt pieces carry a payload picture; the plain gears of the A key have none.
            unplacedDealt += p->icon.texture != nullptr ? 1 : 0;
        }
    }
    if (game.motor == nullptr || game.gears.empty() || game.gears.front() != game.motor) {
        complain("the motor is not the first piece in play");
    }
    if (game.heldGear != nullptr && alive.count(game.heldGear) == 0) {
        complain("the held piece is not in play");
    }
    if (game.carrying && game.heldGear == nullptr) {
        complain("carrying with nothing held");
    }
    if (unplaced != 1 + aPresses || unplacedDealt < 1) {
        complain(unplaced, " pieces wait off the board (", unplacedDealt, " dealt) after ",
                 aPresses, " A keys");
    }
    if (game.chain == nullptr) {
        complain("the game has no chain");
        return;
    }
    const Chain& chain = *game.chain;
    std::unordered_set<const Gear*> held;
    for (const Body* body : chain.gears) {
        const auto* p = static_cast<const Gear*>(body); // the game attaches only pieces
        if (alive.count(p) == 0) {
            complain("the chain holds a piece that is not in play");
        } else if (!held.insert(p).second) {
            complain("the chain holds a piece twice");
        } else if (p->lifted) {
            complain("the chain holds a lifted piece");
        }
    }
    for (const Gear* p : game.gears) {
        // Placed pieces are on the chain unless they are being carried or binned.
        if (p->placed && !p->lifted && !p->discarding && held.count(p) == 0) {
            complain("a placed piece is not on the chain");
        }
        // Dealt pieces join the chain only when they are placed.
        if (!p->placed && p->icon.texture != nullptr && held.count(p) != 0) {
            complain("a dealt piece is on the chain before it was placed");
        }
    }
    if (held.count(game.motor) == 0) {
        complain("the motor is off the chain");
    }
}

void checkChain(const Chain& chain, Complaint& complain) {
    const std::size_t n = chain.joints.size();
    if (n < 3 || chain.links.size() != n) {
        complain(n, " joints but ", chain.links.size(), " links");
        return;
    }
    std::unordered_map<const ChainJoint*, std::size_t> index;
    for (std::size_t i = 0; i < n; ++i) {
        if (chain.joints[i] == nullptr || !index.emplace(chain.joints[i], i).second) {
            complain("joint ", i, " is null or listed twice");
            return;
        }
        if (!finiteSprite(*chain.joints[i])) {
            complain("joint ", i, " has a value that is not finite");
        }
    }
    // One link leaves every joint, towards the next joint in loop order; the last one closes
    // the loop back to the first.
    std::vector<int> leaving(n, 0);
    for (const ChainLink* link : chain.links) {
        const auto from = index.find(link->from);
        const auto to = index.find(link->to);
        if (from == index.end() || to == index.end()) {
            complain("a link ends at a joint that is not in the chain");
            return;
        }
        if (to->second != (from->second + 1) % n) {
            complain("a link joins joint ", from->second, " to joint ", to->second);
        }
        ++leaving[from->second];
        if (!finiteSprite(link->sprite) || !std::isfinite(link->restLength)) {
            complain("a link has a value that is not finite");
        }
    }
    if (std::count(leaving.begin(), leaving.end(), 1) != static_cast<long>(n)) {
        complain("the loop is not closed");
    }
}

void checkBoard(const LiveMode& game, Complaint& complain) {
    if (game.squares.size() != 100) {
        complain(game.squares.size(), " squares on the board");
        return;
    }
    for (const BoardSquare* square : game.squares) {
        if (!finiteSprite(*square) || !(square->light >= 0.0f && square->light <= 100.0f)) {
            complain("a square's light is ", square->light);
        }
    }
    if (!finiteSprite(game.background) || !finiteSprite(game.powerMarker)) {
        complain("the background or the power marker is not finite");
    }
    const double level = (game.powerMarker.position.x + 180.0) / 3.85;
    if (!(level >= -1e-3 && level <= 100.001)) {
        complain("the power level reads ", level);
    }
}

} // namespace

std::string brokenPlayInvariant(const LiveMode& game, int aPresses) {
    Complaint complain;
    checkPieces(game, aPresses, complain);
    if (game.chain != nullptr) {
        checkChain(*game.chain, complain);
    }
    checkBoard(game, complain);
    if (!std::isfinite(game.gameStart) || !std::isfinite(game.lastPressTime)) {
        complain("a time of the play state is not finite");
    }
    return complain.text;
}

std::string brokenScreenInvariant(const LiveMode& game) {
    Complaint complain;
    if (currentState != &startState && currentState != &game && currentState != &endState) {
        complain("no known screen is current");
    }
    if (activeCamera == nullptr || activeCamera->width < 1 || activeCamera->height < 1 ||
        !std::isfinite(activeCamera->aspect)) {
        complain("the camera has no usable size");
    }
    if (!std::isfinite(frameSeconds) || frameSeconds < 0.0f) {
        complain("the frame step is ", frameSeconds);
    }
    if (currentState == &endState) {
        const char* picture = game.won ? "./img/win.jpg" : "./img/lose.jpg";
        if (endState.picture.texture != textureCache.getTexture(picture)) {
            complain("the end screen does not show ", picture);
        }
        const double played = endState.shownAt - game.gameStart;
        if (game.won && !(played > 240.0)) {
            complain("won after ", played, " s");
        }
        if (!game.won && !(rawLevel(game) <= 5.0 + 1e-3)) {
            complain("lost at a power level of ", rawLevel(game));
        }
    }
    return complain.text;
}
