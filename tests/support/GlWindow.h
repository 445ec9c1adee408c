#pragma once

// Opens one hidden-from-nobody 800 by 600 GLUT window (under Xvfb in CI) and makes its context
// current, once per test process. Tests that read GL state back call this first.
void ensureGlWindow();
