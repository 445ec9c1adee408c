#pragma once

#include "gfx/Hud.h"

#include <vector>

// The on-screen buttons: the keys a finger cannot press, drawn over the screens in their
// margins (never over the board) and pressed with a tap or a click. A button acts on its
// release, and only if the press began on it too; the screen under it sees neither.
// A replay keeps the number of a press that began before its game: new actions go last.
enum class ButtonAction {
    Pause,
    Sound,
    Hints,
    FullScreen,
    Relaxed,
    Palette,
    PlayAgain,
    Quit,
    Watch
};

struct ScreenButton {
    ButtonAction action;
    HudBox box;
    const char* picture;
};

namespace hud {
// In the play field's title bar, either side of the title; the chute's dispenser and the
// board stay clear.
constexpr HudBox pauseButton{-262.0f, 252.0f, 72.0f, 72.0f};
constexpr HudBox soundButton{-186.0f, 252.0f, 72.0f, 72.0f};
constexpr HudBox hintsButton{244.0f, 252.0f, 64.0f, 64.0f};
constexpr HudBox screenButton{314.0f, 252.0f, 64.0f, 64.0f};
// The splash and instructions screens: their top corners are empty.
constexpr HudBox startSoundButton{-356.0f, 258.0f, 72.0f, 72.0f};
constexpr HudBox startScreenButton{-278.0f, 258.0f, 72.0f, 72.0f};
constexpr HudBox startHintsButton{278.0f, 258.0f, 72.0f, 72.0f};
constexpr HudBox paletteButton{200.0f, -225.0f, 56.0f, 56.0f};
// The mode line itself is the relaxed-mode button, a little taller than it looks.
constexpr HudBox relaxedButton{0.0f, -225.0f, 320.0f, 60.0f};
// The end screen: either side of the scoreboard.
constexpr HudBox playAgainButton{-278.0f, -210.0f, 240.0f, 60.0f};
constexpr HudBox quitButton{278.0f, -210.0f, 240.0f, 60.0f};
// Above Play again, in the plain margin left of the little board, level with the tip and clear
// of it.
constexpr HudBox watchButton{-298.0f, -120.0f, 192.0f, 48.0f};
} // namespace hud

// The buttons the current screen shows now, with the pictures of their state.
std::vector<ScreenButton> shownButtons();
void drawButtons();
// A press that began on a button and waits for its release (-1 when none): a replay begins with
// the one its game began with.
int pendingButtonPress();
void setPendingButtonPress(int action);
// A mouse event for the buttons (window pixels); true when it was theirs.
bool buttonsTakeMouse(int button, int state, int x, int y);
