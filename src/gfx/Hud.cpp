#include "gfx/Hud.h"

#include "gfx/Sprite.h"

#include <functional>
#include <map>
#include <string>

namespace {

// Every picture the screens draw over themselves. They are all loaded at the first one's draw,
// so a game holds the same pictures whatever it happened to show.
constexpr const char* hudPictures[] = {
    "./img/hud/muted.png",
    "./img/hud/paused.png",
    "./img/hud/turning.png",
    "./img/hud/pip.png",
    "./img/hud/spent.png",
    "./img/hud/bin-drop.png",
    "./img/hud/bin-place.png",
    "./img/hud/relaxed.png",
    "./img/hud/hints-on.png",
    "./img/hud/hints-off.png",
    "./img/hud/hint-drop.png",
    "./img/hud/hint-idle.png",
    "./img/hud/hint-taut.png",
    "./img/hud/hint-spent.png",
    "./img/hud/tip-taut.png",
    "./img/hud/tip-no-turn.png",
    "./img/hud/tip-off-chain.png",
    "./img/hud/tip-stretch.png",
    "./img/hud/mode-normal.png",
    "./img/hud/mode-relaxed.png",
    "./img/hud/chain-taut.png",
    "./img/hud/chain-heap.png",
    "./img/hud/chain-off.png",
    "./img/hud/holding.png",
    "./img/hud/relay.png",
    "./img/hud/hint-relay.png",
    "./img/hud/tip-relay.png",
    // The on-screen buttons (states/Buttons.h).
    "./img/hud/button-pause.png",
    "./img/hud/button-resume.png",
    "./img/hud/button-sound-on.png",
    "./img/hud/button-sound-off.png",
    "./img/hud/button-hints-on.png",
    "./img/hud/button-hints-off.png",
    "./img/hud/button-full-screen.png",
    "./img/hud/button-window.png",
    "./img/hud/button-palette-red-green.png",
    "./img/hud/button-palette-blue-yellow.png",
    "./img/hud/button-play-again.png",
    "./img/hud/button-quit.png",
};

using SpriteTable = std::map<std::string, Sprite, std::less<>>;

Sprite& hudSprite(SpriteTable& sprites, const char* picture) {
    auto found = sprites.find(picture); // compares without making a string
    if (found == sprites.end()) {
        found = sprites.emplace(picture, Sprite()).first;
        found->second.setTexture(picture);
    }
    return found->second;
}

} // namespace

void drawHud(const char* picture, const HudBox& box, const float* color, float angle) {
    static SpriteTable sprites = [] {
        SpriteTable all;
        for (const char* name : hudPictures) {
            hudSprite(all, name);
        }
        return all;
    }();
    Sprite& s = hudSprite(sprites, picture);
    s.position = {box.x, box.y, 0.0f};
    s.scale = {box.width, box.height, 1.0f};
    s.angle = angle;
    static constexpr float white[4] = {1.0f, 1.0f, 1.0f, 1.0f};
    const float* tint = color != nullptr ? color : white;
    for (int i = 0; i < 4; ++i) {
        s.color[i] = tint[i];
    }
    s.draw();
}

void drawPlate(const HudBox& box, const float color[4]) {
    static Sprite plate; // no picture: drawn untextured
    plate.position = {box.x, box.y, 0.0f};
    plate.scale = {box.width, box.height, 1.0f};
    for (int i = 0; i < 4; ++i) {
        plate.color[i] = color[i];
    }
    plate.draw();
}
