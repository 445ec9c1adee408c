#pragma once
// Emscripten's GLUT has freeglut's standard header but none of its extensions; the game guards the
// few extension calls it makes, so the standard part is all the web build needs.
#include <GL/freeglut_std.h>
