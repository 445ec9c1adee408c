#pragma once

// True when an OpenGL context is current on this thread, so GL calls reach a real driver.
bool hasCurrentGlContext();
