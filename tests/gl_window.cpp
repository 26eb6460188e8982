#include "gl_window.h"

#include <GL/freeglut.h>

#include <chrono>
#include <cmath>
#include <thread>

#include "app/startup.h"

Rgb Frame::at(int x, int y) const
{
    const unsigned char* p = &rgb[3 * (static_cast<size_t>(y) * width + x)];
    return {p[0], p[1], p[2]};
}

void openSceneWindow()
{
    app::startUp();
    // Full screen takes effect only once the toolkit handles its events.
    auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    int settled = 0;
    while (settled < 5 && std::chrono::steady_clock::now() < deadline) {
        glutMainLoopEvent();
        bool full = glutGet(GLUT_WINDOW_WIDTH) == glutGet(GLUT_SCREEN_WIDTH) &&
                    glutGet(GLUT_WINDOW_HEIGHT) == glutGet(GLUT_SCREEN_HEIGHT);
        settled = full ? settled + 1 : 0;
        std::this_thread::sleep_for(std::chrono::milliseconds(20));
    }
}

Frame readFrame()
{
    Frame frame;
    frame.width = glutGet(GLUT_WINDOW_WIDTH);
    frame.height = glutGet(GLUT_WINDOW_HEIGHT);
    frame.rgb.resize(3 * static_cast<size_t>(frame.width) * frame.height);
    // After the swap the back buffer still holds the frame on this renderer;
    // the front buffer reads back empty.
    glReadBuffer(GL_BACK);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, frame.width, frame.height, GL_RGB, GL_UNSIGNED_BYTE, frame.rgb.data());
    return frame;
}

int pixelX(const Frame& frame, double x)
{
    return static_cast<int>(std::floor((x + 130.0) / 260.0 * frame.width));
}

int pixelY(const Frame& frame, double y)
{
    return static_cast<int>(std::floor((y + 130.0) / 260.0 * frame.height));
}
