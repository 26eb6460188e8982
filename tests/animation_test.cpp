// The animation's steps and the keyboard, without a window.
#include <gtest/gtest.h>

#include <cmath>

#include "app/startup.h"
#include "scene/scene.h"

namespace {

TEST(Travel, StepsByATenthInFloatAndResetsToExactlyZeroAfter1396Frames)
{
    GLfloat travel = 0.0f;
    int frames = 0;
    do {
        GLfloat next = scene::nextTravel(travel);
        if (next != 0.0f) {
            // Each step is one float addition: no drift from wider arithmetic.
            ASSERT_EQ(next, static_cast<GLfloat>(travel + 0.1f)) << "after frame " << frames;
        }
        travel = next;
        ++frames;
        if (frames == 10) {
            EXPECT_EQ(travel, 1.0000001f);
        }
        ASSERT_LT(frames, 2000) << "travel never reset";
    } while (travel != 0.0f);

    EXPECT_EQ(frames, 1396);
    EXPECT_FALSE(std::signbit(travel));
}

TEST(Travel, ResetsOnceTheSumRoundsTo140NotOnceItReachesIt)
{
    EXPECT_EQ(scene::nextTravel(139.45f), 0.0f);  // 139.55 rounds to 140
    EXPECT_GT(scene::nextTravel(139.3f), 139.3f);  // 139.4 rounds to 139
    EXPECT_GT(scene::nextTravel(50.0f), 50.0f);
}

TEST(Spin, StepsOneDegreeAndWrapsFrom359ToZero)
{
    EXPECT_EQ(scene::nextSpin(0.0f), 1.0f);
    EXPECT_EQ(scene::nextSpin(358.0f), 359.0f);
    EXPECT_EQ(scene::nextSpin(359.0f), 0.0f);
}

TEST(Spin, NeverFreezesOverLongRuns)
{
    // Unwrapped, a float spin stops changing after 2^24 steps.
    GLfloat spin = 0.0f;
    for (long step = 1; step <= (1L << 24) + 720; ++step) {
        GLfloat next = scene::nextSpin(spin);
        ASSERT_NE(next, spin) << "frozen at step " << step;
        spin = next;
    }
    EXPECT_EQ(spin, static_cast<GLfloat>(((1L << 24) + 720) % 360));
}

TEST(Keys, EscapeEndsTheProcessWithStatusZero)
{
    EXPECT_EXIT(app::keyPressed(27, 0, 0), ::testing::ExitedWithCode(0), "");
    EXPECT_EXIT(app::keyPressed(27, 640, 360), ::testing::ExitedWithCode(0), "");
}

TEST(Keys, EveryOtherKeyChangesNothing)
{
    scene::spinAngle = 12.0f;
    scene::ballTravel = 3.5f;
    for (int key = 0; key < 256; ++key) {
        if (key != 27) {
            app::keyPressed(static_cast<unsigned char>(key), 5, 7);
        }
    }
    // Still running, and the animation untouched.
    EXPECT_EQ(scene::spinAngle, 12.0f);
    EXPECT_EQ(scene::ballTravel, 3.5f);
}

}  // namespace
