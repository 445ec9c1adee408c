#include "PlayerHand.h"

#include "PointerInput.h"

#include "app/Callbacks.h"
#include "play/Gear.h"
#include "play/LiveMode.h"
#include "play/PlayField.h"

#include <algorithm>
#include <cmath>

namespace {

// Presses further apart than this never make a double press, whatever the frame rate.
constexpr float pressSpacing = 0.6f;
// The second press of a double press, and the release that puts the carried piece down.
constexpr float doublePressGap = 0.14f;
constexpr float putDownAfterLift = 0.6f;
// Motion events while the hand moves, as a mouse reports them.
constexpr float motionInterval = 0.015f;

float distance(Vec3 a, Vec3 b) {
    const Vec3 e = a - b;
    return std::sqrt(dot(e, e));
}

} // namespace

bool PlayerHand::relayIfDead(LiveMode& game, float now) {
    constexpr float retrySeconds = 5.0f; // the chain needs a moment to settle round the pieces
    if (!game.relayAllowed || busy() || !game.watch.dead() || now - lastRelay < retrySeconds) {
        return false;
    }
    lastRelay = now;
    if (throughCallbacks) {
        onKeyboard('c', 0, 0);
    } else {
        game.keyboard('c', 0, 0);
    }
    return true;
}

bool PlayerHand::deliver(LiveMode& game, float now) {
    bool any = false;
    while (!queued.empty() && queued.front().at <= now) {
        const Event e = queued.front();
        queued.pop_front();
        any = true;
        const int x = input::windowX(e.point.x);
        const int y = input::windowY(e.point.y);
        if (throughCallbacks) {
            switch (e.input) {
            case Input::Press:
            case Input::Release:
                onMouse(input::leftButton, e.input == Input::Press ? input::down : input::up, x, y);
                break;
            case Input::Drag:
                onMotion(x, y);
                break;
            case Input::Hover:
                onPassiveMotion(x, y);
                break;
            }
            continue;
        }
        switch (e.input) {
        case Input::Press:
            game.mouse(input::leftButton, input::down, x, y);
            break;
        case Input::Release:
            game.mouse(input::leftButton, input::up, x, y);
            break;
        case Input::Drag:
            game.motion(x, y);
            break;
        case Input::Hover:
            game.passiveMotion(x, y);
            break;
        }
    }
    return any && queued.empty();
}

void PlayerHand::drag(Vec3 from, Vec3 to, float start, float dragSpeed) {
    start = std::max(start, lastPress + pressSpacing);
    const float duration =
        std::max(0.12f, distance(from, to) / (dragSpeed > 0.0f ? dragSpeed : speed));
    queued.push_back({start, Input::Press, from});
    const int moves = static_cast<int>(std::ceil(duration / motionInterval));
    for (int i = 1; i <= moves; ++i) {
        const float f = static_cast<float>(i) / static_cast<float>(moves);
        queued.push_back({start + duration * f, Input::Drag, from + (to - from) * f});
    }
    queued.push_back({start + duration + 0.04f, Input::Release, to});
    lastPress = start;
}

void PlayerHand::liftToBin(Vec3 at, Vec3 bin, float start) {
    start = std::max(start, lastPress + pressSpacing);
    const float lift = start + doublePressGap;
    queued.push_back({start, Input::Press, at});
    queued.push_back({start + 0.06f, Input::Release, at});
    queued.push_back({lift, Input::Press, at});
    queued.push_back({lift + 0.06f, Input::Release, at}); // part of the double press
    const float duration = std::max(0.15f, distance(at, bin) / speed);
    const int moves = static_cast<int>(std::ceil(duration / motionInterval));
    const float carryStart = lift + 0.1f;
    for (int i = 1; i <= moves; ++i) {
        const float f = static_cast<float>(i) / static_cast<float>(moves);
        queued.push_back({carryStart + duration * f, Input::Hover, at + (bin - at) * f});
    }
    const float putDownAt = std::max(carryStart + duration + 0.05f, lift + putDownAfterLift);
    queued.push_back({putDownAt, Input::Press, bin}); // ignored while carrying
    queued.push_back({putDownAt + 0.05f, Input::Release, bin});
    lastPress = lift;
}

void PlayerHand::putDown(Vec3 at, float now) {
    const float when = std::max(now, lastPress + putDownAfterLift);
    queued.push_back({when, Input::Hover, at});
    queued.push_back({when + 0.05f, Input::Release, at});
}

Vec3 PlayerHand::clearBinPoint(const LiveMode& game, const Gear& piece) {
    const auto r = static_cast<float>(piece.radius);
    const float right = std::min(field::binRight - 2.0f,
                                 static_cast<float>(field::boardLeft - field::margin) - r - 2.0f);
    for (float y = field::binBottom + 6.0f; y < field::binTop - 2.0f; y += 8.0f) {
        for (float x = field::binLeft + 6.0f; x < right; x += 8.0f) {
            const Vec3 point{x, y, 0.0f};
            bool clear = true;
            for (const Gear* q : game.gears) {
                if (q != &piece &&
                    distance(q->position, point) < r + static_cast<float>(q->radius) + 2.0f) {
                    clear = false;
                    break;
                }
            }
            if (clear) {
                return point;
            }
        }
    }
    return {0.0f, 0.0f, 1.0f};
}
