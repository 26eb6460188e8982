// Start-up and the keyboard handler of spinning-cone.
#pragma once

namespace app {

// Opens the window and sets the fixed rendering state; returns before the loop.
void startUp();

// startUp, then the toolkit's loop, which normally never returns.
void runScene();

// Keyboard callback: Escape (27) ends the process with status 0.
void keyPressed(unsigned char key, int x, int y);

// Ends the process at once with status 0, releasing nothing first.
[[noreturn]] void endProcess();

}  // namespace app
