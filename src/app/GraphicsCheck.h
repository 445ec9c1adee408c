#pragma once

#include <string>

// What the OpenGL a window got lacks for the game, judged from its version and extension
// strings (null when there is no context at all).
enum class GraphicsShortfall {
    none,
    noOpenGL,      // no context: nothing can be drawn
    noPictureSizes // OpenGL 1 without non-power-of-two textures (Windows' own software OpenGL,
                   // "GDI Generic", where no graphics driver is installed): the pictures stay blank
};
GraphicsShortfall graphicsShortfall(const char* version, const char* extensions);

// The words a player is told for a shortfall, one line each; "" for none.
std::string graphicsAdvice(GraphicsShortfall shortfall);
