// What a frame of spinning-cone costs on the screen the benchmark runs on,
// beside a floor frame that only clears and swaps in the same window. Run
// it on a virtual display of the size to measure; scripts/performance.sh
// does, at several sizes, and puts the two side by side.
#include <benchmark/benchmark.h>

#include <GL/freeglut.h>

#include "scene/scene.h"
#include "tests/gl_window.h"

namespace {

void reportFrames(benchmark::State& state)
{
    state.counters["fps"] = benchmark::Counter(static_cast<double>(state.iterations()),
                                               benchmark::Counter::kIsRate);
    state.counters["width"] = glutGet(GLUT_WINDOW_WIDTH);
    state.counters["height"] = glutGet(GLUT_WINDOW_HEIGHT);
}

void clearAndSwapFloor(benchmark::State& state)
{
    for (auto _ : state) {
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        glutSwapBuffers();
    }
    reportFrames(state);
}

void drawFrame(benchmark::State& state)
{
    // Spinning as on screen, so that every side of the cone takes its turn.
    for (auto _ : state) {
        scene::idleStep();
    }
    reportFrames(state);
}

}  // namespace

BENCHMARK(clearAndSwapFloor)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0)->Repetitions(3)->ReportAggregatesOnly(true);
BENCHMARK(drawFrame)->Unit(benchmark::kMillisecond)->UseRealTime()->MinTime(1.0)->Repetitions(3)->ReportAggregatesOnly(true);

int main(int argc, char** argv)
{
    benchmark::Initialize(&argc, argv);
    openSceneWindow();
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
}
