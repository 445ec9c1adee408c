#include "app/Choices.h"

#include "app/Callbacks.h"
#include "gfx/Camera.h"
#include "app/Options.h"
#include "audio/SoundDevice.h"
#include "play/Hints.h"
#include "play/LiveMode.h"

Settings withOptions(Settings settings, const Options& options) {
    settings.muted = settings.muted || options.mute;
    settings.relaxed = settings.relaxed || options.relaxed;
    if (options.hints >= 0) {
        settings.hints = options.hints;
    }
    if (options.screenChosen) {
        settings.fullScreen = options.fullScreen;
    }
    parsePalette(options.palette, settings.palette); // leaves it alone when none was given
    return settings;
}

void applySettings(const Settings& settings) {
    soundSetMuted(settings.muted);
    liveMode.relaxed = settings.relaxed;
    hintChoice.forced = settings.hints;
    boardPalette = settings.palette;
#ifndef __EMSCRIPTEN__
    if (settings.fullScreen != currentSettings().fullScreen) {
        toggleFullScreen();
    }
#endif
}

Settings currentSettings() {
    Settings now;
    now.muted = soundMuted();
    now.relaxed = liveMode.relaxed;
    now.hints = hintChoice.forced;
    now.fullScreen = activeCamera != nullptr && activeCamera->letterbox;
    now.palette = boardPalette;
    return now;
}
