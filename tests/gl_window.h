// The program's own window, opened by its real start-up, for tests that read
// back what a frame drew.
#pragma once

#include <vector>

struct Rgb {
    int r, g, b;
};

struct Frame {
    int width = 0;
    int height = 0;
    std::vector<unsigned char> rgb;  // rows bottom up, as GL reads them

    Rgb at(int x, int y) const;  // window pixels, origin bottom left
};

// Runs the start-up and pumps the toolkit until the window covers the screen.
void openSceneWindow();

// The frame that drawFrame last presented.
Frame readFrame();

// Window pixel of a point of the fixed volume (-130 to 130 on each axis).
int pixelX(const Frame& frame, double x);
int pixelY(const Frame& frame, double y);
