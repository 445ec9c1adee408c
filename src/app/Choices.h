#pragma once

#include "app/Settings.h"

struct Options;

// The kept settings meet the running game here.

// The settings with the command line's choices laid over them, for this run only.
Settings withOptions(Settings settings, const Options& options);
// Puts the settings into the game: sound, relaxed mode, hints, palette and, outside a browser
// (which allows it only after a gesture), full screen.
void applySettings(const Settings& settings);
// What the game shows now.
Settings currentSettings();
