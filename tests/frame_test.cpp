// Frames drawn by the real start-up and drawFrame on Mesa's software
// renderer, read back and probed by region with tolerances. The screen size
// comes from the virtual display the test runs on.
#include <gtest/gtest.h>

#include <GL/freeglut.h>

#include <cstdlib>

#include "gl_window.h"
#include "scene/scene.h"

// The test links with --wrap for the quadric's birth and death, to count
// them and to refuse a frame its quadric.
bool quadricRefused = false;
int quadricsAlive = 0;
extern "C" GLUquadric* __real_gluNewQuadric();
extern "C" void __real_gluDeleteQuadric(GLUquadric* quadric);
extern "C" GLUquadric* __wrap_gluNewQuadric()
{
    if (quadricRefused) {
        return nullptr;
    }
    ++quadricsAlive;
    return __real_gluNewQuadric();
}
extern "C" void __wrap_gluDeleteQuadric(GLUquadric* quadric)
{
    --quadricsAlive;
    __real_gluDeleteQuadric(quadric);
}

namespace {

enum Channel { red, green, blue };

// Pixels within `radius` units of (x, y) whose `channel` clearly outweighs
// the other two: a ball of that hue, faceted and lit, shows several.
int huedPixels(const Frame& frame, double x, double y, double radius, Channel channel)
{
    int count = 0;
    for (int py = pixelY(frame, y - radius); py <= pixelY(frame, y + radius); ++py) {
        for (int px = pixelX(frame, x - radius); px <= pixelX(frame, x + radius); ++px) {
            if (px < 0 || py < 0 || px >= frame.width || py >= frame.height) {
                continue;
            }
            Rgb c = frame.at(px, py);
            int mine = channel == red ? c.r : channel == green ? c.g : c.b;
            int others = channel == red ? std::max(c.g, c.b)
                         : channel == green ? std::max(c.r, c.b)
                                            : std::max(c.r, c.g);
            count += mine >= 60 && mine - others >= 40;
        }
    }
    return count;
}

bool isGrey(Rgb c, int level, int tolerance)
{
    return std::abs(c.r - level) <= tolerance && std::abs(c.g - level) <= tolerance &&
           std::abs(c.b - level) <= tolerance;
}

// A neutral grey clearly lighter than the background: the lit cone.
bool isCone(Rgb c)
{
    return std::abs(c.r - c.g) <= 3 && std::abs(c.g - c.b) <= 3 && c.r >= 50;
}

constexpr int background = 26;  // 0.1 of 255

Frame drawAt(GLfloat spin, GLfloat travel)
{
    scene::spinAngle = spin;
    scene::ballTravel = travel;
    scene::drawFrame();
    return readFrame();
}

class SceneWindow : public ::testing::Environment {
public:
    void SetUp() override { openSceneWindow(); }
};
const auto* const window = ::testing::AddGlobalTestEnvironment(new SceneWindow);

TEST(Window, CoversTheWholeScreen)
{
    EXPECT_EQ(glutGet(GLUT_WINDOW_WIDTH), glutGet(GLUT_SCREEN_WIDTH));
    EXPECT_EQ(glutGet(GLUT_WINDOW_HEIGHT), glutGet(GLUT_SCREEN_HEIGHT));
}

TEST(FirstFrame, EachBallShowsItsHueWhereItsCentreMaps)
{
    Frame frame = drawAt(0.0f, 0.0f);
    // Centres at spin 0, travel 0, seen along the line of sight.
    EXPECT_GE(huedPixels(frame, 0, -90, 2.5, red), 6);
    EXPECT_GE(huedPixels(frame, 10, -80, 2.5, green), 6);
    EXPECT_GE(huedPixels(frame, 20, -70, 2.5, blue), 6);
    // Each spot holds only its own ball.
    EXPECT_EQ(huedPixels(frame, 0, -90, 2.5, green), 0);
    EXPECT_EQ(huedPixels(frame, 10, -80, 2.5, blue), 0);
    EXPECT_EQ(huedPixels(frame, 20, -70, 2.5, red), 0);
}

TEST(FirstFrame, ProbeFindsNoBallWhereNoneIs)
{
    // Negative control: the same probe, mirrored above the centre, must fail.
    Frame frame = drawAt(0.0f, 0.0f);
    EXPECT_EQ(huedPixels(frame, 0, 90, 2.5, red), 0);
    EXPECT_EQ(huedPixels(frame, -10, -80, 2.5, green), 0);
}

TEST(FirstFrame, BackgroundInTheCornersAndConeAboveTheCentre)
{
    Frame frame = drawAt(0.0f, 0.0f);
    for (auto [x, y] : {std::pair{2, 2}, {frame.width - 3, 2}, {2, frame.height - 3},
                        {frame.width - 3, frame.height - 3}}) {
        EXPECT_TRUE(isGrey(frame.at(x, y), background, 2)) << "corner " << x << "," << y;
    }
    // Upright, narrow end up: grey above the centre, nothing below the base.
    EXPECT_TRUE(isCone(frame.at(pixelX(frame, 0), pixelY(frame, 20))));
    EXPECT_TRUE(isGrey(frame.at(pixelX(frame, 0), pixelY(frame, -20)), background, 2));
    EXPECT_TRUE(isGrey(frame.at(pixelX(frame, 0), pixelY(frame, 45)), background, 2));
}

TEST(FirstFrame, VolumeIsStretchedToTheScreenNotLetterboxed)
{
    // At 5 units up the cone is 35 units wide each side; each axis of the
    // volume scales to its own side of the screen.
    Frame frame = drawAt(0.0f, 0.0f);
    for (double side : {-1.0, 1.0}) {
        EXPECT_TRUE(isCone(frame.at(pixelX(frame, side * 31), pixelY(frame, 5))));
        EXPECT_TRUE(isGrey(frame.at(pixelX(frame, side * 39), pixelY(frame, 5)), background, 2));
    }
    EXPECT_TRUE(isCone(frame.at(pixelX(frame, 0), pixelY(frame, 37))));
    EXPECT_TRUE(isGrey(frame.at(pixelX(frame, 0), pixelY(frame, 42)), background, 2));
}

TEST(Animation, BallsTravelUpTheAxisAndHideInsideTheCone)
{
    Frame frame = drawAt(0.0f, 60.0f);
    EXPECT_EQ(huedPixels(frame, 0, -90, 2.5, red), 0);
    EXPECT_GE(huedPixels(frame, 0, -30, 2.5, red), 6);
    EXPECT_GE(huedPixels(frame, 20, -10, 2.5, blue), 6);

    // Travel 100 puts the red ball 10 units up the axis, behind the cone's wall.
    frame = drawAt(0.0f, 100.0f);
    EXPECT_EQ(huedPixels(frame, 0, 10, 2.5, red), 0);
    EXPECT_TRUE(isCone(frame.at(pixelX(frame, 0), pixelY(frame, 10))));
}

TEST(Animation, SpinTurnsConeAndBallsTogether)
{
    // Half a turn about the diagonal: the cone no longer stands upright and
    // the row has left its first-frame place.
    Frame frame = drawAt(180.0f, 0.0f);
    EXPECT_EQ(huedPixels(frame, 0, -90, 2.5, red), 0);
    EXPECT_FALSE(isCone(frame.at(pixelX(frame, 0), pixelY(frame, 37))));
}

TEST(Animation, IdleSpinsAndMovesWhileARepaintOnlyMoves)
{
    scene::spinAngle = 41.0f;
    scene::ballTravel = 7.0f;
    scene::idleStep();
    EXPECT_EQ(scene::spinAngle, 42.0f);
    EXPECT_EQ(scene::ballTravel, 7.0f + 0.1f);

    scene::drawFrame();
    EXPECT_EQ(scene::spinAngle, 42.0f);
    EXPECT_EQ(scene::ballTravel, (7.0f + 0.1f) + 0.1f);

    scene::spinAngle = 359.0f;
    scene::idleStep();
    EXPECT_EQ(scene::spinAngle, 0.0f);
}

TEST(Animation, EveryFrameFreesTheQuadricItMade)
{
    int before = quadricsAlive;
    for (int frame = 0; frame < 20; ++frame) {
        scene::idleStep();
        EXPECT_EQ(quadricsAlive, before);
    }
}

TEST(Animation, FrameWithoutAQuadricClearsAndKeepsThePace)
{
    quadricRefused = true;
    Frame frame = drawAt(0.0f, 30.0f);
    quadricRefused = false;

    EXPECT_EQ(scene::ballTravel, 30.0f + 0.1f);
    int drawn = 0;
    for (int y = 0; y < frame.height; y += 4) {
        for (int x = 0; x < frame.width; x += 4) {
            drawn += !isGrey(frame.at(x, y), background, 2);
        }
    }
    EXPECT_EQ(drawn, 0);
}

}  // namespace
