#include "app/Buttons.h"

#include "app/Callbacks.h"
#include "gfx/Camera.h"
#include "app/Records.h"
#include "app/Replays.h"
#include "app/Window.h"
#include "audio/SoundDevice.h"
#include "play/Hints.h"
#include "play/LiveMode.h"
#include "play/Palette.h"

namespace {

// GLUT's values, as in the play state.
constexpr int leftButton = 0;
constexpr int buttonDown = 0;
constexpr int buttonUp = 1;
constexpr int keyF11 = 11;

bool inside(const HudBox& box, Vec3 p) {
    return p.x > box.x - box.width / 2 && p.x < box.x + box.width / 2 &&
           p.y > box.y - box.height / 2 && p.y < box.y + box.height / 2;
}

bool hintsOn() {
    if (currentState != nullptr && currentState->screen() == Screen::Play) {
        return liveMode.hints.enabled();
    }
    return hintChoice.on(records.current().gamesPlayed());
}

bool fullScreen() {
    return activeCamera != nullptr && activeCamera->letterbox;
}

// A press that began on a button, waiting for its release.
bool pressed = false;
ButtonAction pressedAction = ButtonAction::Pause;

// Every button does what its key does, through the same path.
void act(ButtonAction action) {
    switch (action) {
    case ButtonAction::Pause:
        handleKeyboard('p', 0, 0);
        break;
    case ButtonAction::Sound:
        handleKeyboard('m', 0, 0);
        break;
    case ButtonAction::Hints:
        handleKeyboard('h', 0, 0);
        break;
    case ButtonAction::FullScreen:
        handleSpecial(keyF11, 0, 0, 0);
        break;
    case ButtonAction::Relaxed:
        handleKeyboard('e', 0, 0);
        break;
    case ButtonAction::Palette:
        handleKeyboard('k', 0, 0);
        break;
    case ButtonAction::PlayAgain:
        handleKeyboard('r', 0, 0);
        break;
    case ButtonAction::Quit:
        requestQuit();
        break;
    case ButtonAction::Watch:
        handleKeyboard('w', 0, 0);
        break;
    }
}

} // namespace

std::vector<ScreenButton> shownButtons() {
    using namespace hud;
    std::vector<ScreenButton> shown;
    const char* const sound =
        soundMuted() ? "./img/hud/button-sound-off.png" : "./img/hud/button-sound-on.png";
    const char* const hints =
        hintsOn() ? "./img/hud/button-hints-on.png" : "./img/hud/button-hints-off.png";
    const char* const screen =
        fullScreen() ? "./img/hud/button-window.png" : "./img/hud/button-full-screen.png";
    const Screen now = currentState != nullptr ? currentState->screen() : Screen::Other;
    if (now == Screen::Play) {
        const bool paused = currentState->still();
        if (paused) {
            // The banner itself resumes, as the sign's words say a key does.
            shown.push_back({ButtonAction::Pause, pausedBanner, nullptr});
        }
        shown.push_back({ButtonAction::Pause, pauseButton,
                         paused ? "./img/hud/button-resume.png" : "./img/hud/button-pause.png"});
        shown.push_back({ButtonAction::Sound, soundButton, sound});
        shown.push_back({ButtonAction::Hints, hintsButton, hints});
        shown.push_back({ButtonAction::FullScreen, screenButton, screen});
    } else if (now == Screen::Splash || now == Screen::Instructions) {
        shown.push_back({ButtonAction::Sound, startSoundButton, sound});
        shown.push_back({ButtonAction::FullScreen, startScreenButton, screen});
        if (now == Screen::Instructions) {
            shown.push_back({ButtonAction::Hints, startHintsButton, hints});
            shown.push_back({ButtonAction::Relaxed, relaxedButton, nullptr}); // the mode line
            shown.push_back({ButtonAction::Palette, paletteButton,
                             boardPalette == Palette::BlueYellow
                                 ? "./img/hud/button-palette-blue-yellow.png"
                                 : "./img/hud/button-palette-red-green.png"});
        }
    } else if (now == Screen::End) {
        shown.push_back(
            {ButtonAction::PlayAgain, playAgainButton, "./img/hud/button-play-again.png"});
        shown.push_back({ButtonAction::Quit, quitButton, "./img/hud/button-quit.png"});
        if (recorder.hasLastGame()) {
            shown.push_back({ButtonAction::Watch, watchButton, "./img/hud/button-watch.png"});
        }
    }
    return shown;
}

void drawButtons() {
    for (const ScreenButton& b : shownButtons()) {
        if (b.picture != nullptr) {
            drawHud(b.picture, b.box);
        }
    }
}

int pendingButtonPress() {
    return pressed ? static_cast<int>(pressedAction) : -1;
}

void setPendingButtonPress(int action) {
    pressed = action >= 0 && action <= static_cast<int>(ButtonAction::Watch);
    if (pressed) {
        pressedAction = static_cast<ButtonAction>(action);
    }
}

bool buttonsTakeMouse(int button, int state, int x, int y) {
    if (button != leftButton || activeCamera == nullptr) {
        return false;
    }
    const Vec3 point = activeCamera->screenToWorld(x, y);
    const ScreenButton* hit = nullptr;
    const std::vector<ScreenButton> shown = shownButtons();
    for (const ScreenButton& b : shown) {
        if (inside(b.box, point)) {
            hit = &b;
            break;
        }
    }
    if (state == buttonDown) {
        pressed = hit != nullptr;
        if (pressed) {
            pressedAction = hit->action;
        }
        return pressed;
    }
    if (state != buttonUp || !pressed) {
        return false;
    }
    pressed = false;
    if (hit != nullptr && hit->action == pressedAction) {
        act(pressedAction);
    }
    return true; // a press that began on a button ends there, wherever it is released
}
