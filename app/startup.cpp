#include "app/startup.h"

#include "scene/scene.h"

#ifdef _WIN32
#include <windows.h>
#else
#include <cstdlib>
#endif

namespace app {

using namespace scene;

/* ---------------------------------------------------------------- */
/* Callbacks                                                         */
/* ---------------------------------------------------------------- */

void keyPressed(unsigned char key, int /*x*/, int /*y*/)
{
    constexpr unsigned char escape = 27;
    if (key == escape) {
        endProcess();
    }
}

[[noreturn]] void endProcess()
{
#ifdef _WIN32
    ExitProcess(0);
#else
    std::_Exit(0);
#endif
}

/* ---------------------------------------------------------------- */
/* Start-up                                                          */
/* ---------------------------------------------------------------- */

void startUp()
{
    // freeglut needs initialising before its first window. It gets the
    // program's name alone: toolkit options such as -display or -geometry
    // on the real command line must have no effect.
    static char programName[] = "spinning-cone";
    static char* toolkitArgv[] = {programName, nullptr};
    int toolkitArgc = 1;
    glutInit(&toolkitArgc, toolkitArgv);

    glutInitDisplayMode(GLUT_DOUBLE | GLUT_DEPTH);
    glutCreateWindow(windowTitle);

    glClearColor(tenth, tenth, tenth, one);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    // No reshape handler: the window stretches this fixed volume.
    glOrtho(minus130, plus130, minus130, plus130, minus130, plus130);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    glEnable(GL_DEPTH_TEST);
    glutFullScreen();

    glutKeyboardFunc(keyPressed);
    glutDisplayFunc(drawFrame);
    glutIdleFunc(idleStep);

    // Light 0 stays the default directional light along the line of sight.
    glEnable(GL_LIGHT0);
    glEnable(GL_LIGHTING);
    glLightfv(GL_LIGHT0, GL_AMBIENT, lightAmbient);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, lightDiffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, lightSpecular);
    glMaterialfv(GL_FRONT_AND_BACK, GL_SPECULAR, materialSpecular);
    glMaterialf(GL_FRONT_AND_BACK, GL_SHININESS, ten);
    // Each glColor3f then sets the ambient and diffuse colour of what follows.
    glEnable(GL_COLOR_MATERIAL);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
}

void runScene()
{
    startUp();
    glutMainLoop();
}

}  // namespace app
