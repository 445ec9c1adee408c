#pragma once

// The arc cosine in radians, correctly rounded to float for every float in [-1, 1] (NaN outside).
// Built from +, -, *, / and sqrt in double only, which IEEE rounds the same on every machine,
// so the chain turns by the same bits on Linux, Windows and in the browser, whose libm arc cosines
// differ in the last bits. Checked over every float in [-1, 1] by tools/arc_cos_check.cpp.
float arcCos(float cosine);
