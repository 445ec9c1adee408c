#pragma once

// Where the pictures of img/hud go on the screens, in world units: each box's centre and size.
// They are drawn over the screens' own pictures, where these have no text (checked on every
// screen), and during play over the rules' own drawing.
struct HudBox {
    float x;
    float y;
    float width;
    float height;
};

namespace hud {

// Top right corner: empty on the start, instructions, play, win and lose screens alike.
constexpr HudBox mutedIcon{372.0f, 272.0f, 32.0f, 32.0f};
// Over the title in the play field's title bar, clear of the board and the chute.
constexpr HudBox pausedBanner{40.0f, 252.0f, 340.0f, 85.0f};
constexpr HudBox hintCaption{40.0f, 252.0f, 256.0f, 32.0f};
constexpr HudBox hintsToast{40.0f, 252.0f, 160.0f, 40.0f};
// Over the "time left" label beside the countdown.
constexpr HudBox relaxedBadge{245.0f, -274.0f, 96.0f, 24.0f};
// The bin at the chute's foot.
constexpr HudBox bin{-352.0f, -215.0f, 88.0f, 78.0f};
// When the chain stops: its sign just above the motor, from the board's left edge (clear of the
// chute), and the button that lays the chain again at the motor's upper right, under the sign:
// between the chain's two runs as a game starts, so it hides neither the first gear nor a link.
constexpr HudBox chainSign{-186.0f, -85.0f, 224.0f, 56.0f};
constexpr HudBox relayButton{-152.0f, -150.0f, 48.0f, 48.0f};
// The instructions screen's mode line, in the room the picture leaves above "Click to start".
constexpr HudBox modeLine{0.0f, -225.0f, 320.0f, 40.0f};
// The end screen's tip, over the lower half of the lose picture's little board.
constexpr HudBox endTip{0.0f, -90.0f, 400.0f, 100.0f};

// The title bar's own colour: a plate of it hides the title under a sign drawn there.
constexpr HudBox titlePlate{40.0f, 252.0f, 372.0f, 85.0f};
constexpr float titleBarColor[4] = {0.106f, 0.133f, 0.196f, 1.0f};

} // namespace hud

// Draws the picture (loaded once, through the texture cache) in the box, tinted by color (white
// when none) and turned by angle degrees.
void drawHud(const char* picture, const HudBox& box, const float* color = nullptr,
             float angle = 0.0f);

// A flat, untextured box of one colour.
void drawPlate(const HudBox& box, const float color[4]);
