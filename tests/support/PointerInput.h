#pragma once

// GLUT's mouse values, spelled out so that tests and benchmarks need no window-system header,
// and the window pixel of a world point in the game's 800 by 600 window, where a pixel is a
// world unit (world x = px - 400, world y = 300 - py).
namespace input {

constexpr int leftButton = 0;
constexpr int middleButton = 1;
constexpr int rightButton = 2;
constexpr int down = 0;
constexpr int up = 1;

inline int pixelX(float worldX) {
    return static_cast<int>(worldX + 400.0f);
}
inline int pixelY(float worldY) {
    return static_cast<int>(300.0f - worldY);
}

// The window pixel nearest a world point through the active camera, whatever size the window
// has: how a player points at what the game drew.
int windowX(float worldX);
int windowY(float worldY);

} // namespace input
