// The scene: a grey cone spinning about a diagonal axis and a row of three
// small balls (dark red, green, blue) travelling along its axis, through it,
// and back to the start. Every value is fixed at build time; only the spin and
// the travel change, by one fixed step per frame.
#pragma once

#include <GL/freeglut.h>

namespace scene {

inline constexpr char windowTitle[] = "Nazwa aplikacji";

// A value with several roles is one value: change it and all its roles change.
inline constexpr GLfloat zero = 0.0f;                 // axis, offset and colour component
inline constexpr GLfloat tenth = 0.1f;                // background grey; travel per frame (units)
inline constexpr GLdouble plus130 = 130.0;            // right, top, far side of the volume (units)
inline constexpr GLfloat one = 1.0f;                  // background alpha; spin per idle call (degrees)
inline constexpr GLdouble minus130 = -130.0;          // left, bottom, near side of the volume (units)
inline constexpr GLfloat lightAmbient[] = {0.5f, 0.5f, 0.5f, 1.0f};      // RGBA
inline constexpr GLfloat lightDiffuse[] = {0.5f, 0.5f, 0.5f, 1.0f};      // RGBA
inline constexpr GLfloat lightSpecular[] = {1.0f, 1.0f, 1.0f, 1.0f};     // RGBA
inline constexpr GLfloat materialSpecular[] = {1.0f, 1.0f, 1.0f, 1.0f};  // RGBA
inline constexpr GLfloat axisOne = 1.0f;              // non-zero component of a rotation axis
inline constexpr GLfloat half = 0.5f;                 // cone grey; each ball's one colour component
inline constexpr GLfloat ten = 10.0f;                 // shininess; offset between balls (units)
inline constexpr GLdouble forty = 40.0;               // cone base radius and height (units)
inline constexpr GLdouble two = 2.0;                  // cone top radius; ball radius (units)
inline constexpr GLfloat minus90 = -90.0f;            // first tilt (degrees); first ball's offset (units)
inline constexpr GLfloat minus270 = -270.0f;          // second tilt (degrees)

extern GLfloat spinAngle;   // degrees, within [0, 360)
extern GLfloat ballTravel;  // units along the cone's axis, within [0, 139.5)

// The spin after one idle call: one degree on, wrapped below 360.
GLfloat nextSpin(GLfloat angle);

// The travel after one frame: a tenth on, back to exactly 0 once it rounds to 140.
GLfloat nextTravel(GLfloat travel);

// Display callback: draws and presents one frame, then moves the balls on.
void drawFrame();

// Idle callback: spins the scene one degree on and draws a frame.
void idleStep();

}  // namespace scene
