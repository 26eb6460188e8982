#include "scene/scene.h"

#include <cmath>

namespace scene {

GLfloat spinAngle = 0.0f;   // degrees
GLfloat ballTravel = 0.0f;  // units

GLfloat nextSpin(GLfloat angle)
{
    // Wrapping keeps the spin exact: unwrapped, a float stops growing at 2^24
    // and the cone would freeze after a few hours at full frame rate.
    GLfloat next = angle + one;
    if (next >= 360.0f) {
        next -= 360.0f;
    }
    return next;
}

GLfloat nextTravel(GLfloat travel)
{
    GLfloat next = travel + tenth;
    // Nearest integer, ties to even; the step is under 1, so 140 is always met.
    if (std::nearbyint(next) == 140.0f) {
        next = 0.0f;
    }
    return next;
}

static void drawShapes(GLUquadric* quadric)
{
    glColor3f(half, half, half);
    glPushMatrix();
    glRotatef(minus90, axisOne, zero, zero);
    glRotatef(spinAngle, axisOne, axisOne, axisOne);
    gluQuadricDrawStyle(quadric, GLU_FILL);
    gluCylinder(quadric, forty, two, forty, 100, 100);

    // The second tilt turns the balls' y onto the cone's axis.
    glRotatef(minus270, axisOne, zero, zero);
    glTranslatef(zero, ballTravel, zero);
    glTranslatef(zero, minus90, zero);
    glColor3f(half, zero, zero);
    gluSphere(quadric, two, 5, 5);
    glTranslatef(ten, ten, ten);
    glColor3f(zero, half, zero);
    gluSphere(quadric, two, 5, 5);
    glTranslatef(ten, ten, ten);
    glColor3f(zero, zero, half);
    gluSphere(quadric, two, 5, 5);
    glPopMatrix();
}

void drawFrame()
{
    GLUquadric* quadric = gluNewQuadric();
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    // Without a quadric the frame still clears, presents and moves the balls
    // on: the screen shows no stale picture and the animation keeps its pace.
    if (quadric != nullptr) {
        drawShapes(quadric);
    }
    glutSwapBuffers();
    if (quadric != nullptr) {
        gluDeleteQuadric(quadric);
    }
    ballTravel = nextTravel(ballTravel);
}

void idleStep()
{
    spinAngle = nextSpin(spinAngle);
    drawFrame();
}

}  // namespace scene
