#pragma once

// In a browser the page owns the loop: the game's frames come from requestAnimationFrame, and
// nothing may sleep or block (the tab would freeze). Starts that loop; never returns.
void runInBrowser();
