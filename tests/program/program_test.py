#!/usr/bin/env python3
"""The built spinning-cone, started as a person starts it, each test on a
virtual X display of its own: the OpenGL calls it makes (apitrace), its keys
(xdotool), its arguments, its window (xprop, xwininfo, openbox, wmctrl), a
missing display, and its memory over a long run.

The Windows build runs under Wine in the same way (class Windows, which
needs SPINNING_CONE_EXE).

Usage: SPINNING_CONE=path/to/spinning-cone program_test.py [TestClass ...]
"""

import os
import re
import struct
import subprocess
import tempfile
import time
import unittest

PROGRAM = os.environ.get("SPINNING_CONE", "build/spinning-cone")
WINDOWS_PROGRAM = os.environ.get("SPINNING_CONE_EXE", "build-windows/spinning-cone.exe")
TITLE = "Nazwa aplikacji"
HERE = os.path.dirname(os.path.abspath(__file__))


def float32(value):
    return struct.unpack("f", struct.pack("f", value))[0]


class Display:
    """An Xvfb server of its own, with openbox on it when asked."""

    def __init__(self, size="1280x720", manager=False):
        self.size = size
        self.manager = manager
        self.processes = []

    def __enter__(self):
        # Numbers spread by process id, so suites may run side by side.
        first = 100 + os.getpid() % 400
        for number in range(first, first + 50):
            if os.path.exists(f"/tmp/.X{number}-lock"):
                continue
            self.server = subprocess.Popen(
                ["Xvfb", f":{number}", "-screen", "0", self.size + "x24", "-nolisten", "tcp",
                 "-noreset"], stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
            self.env = dict(os.environ, DISPLAY=f":{number}")
            try:
                if self.wait_for(self.reachable_or_gone) == "reachable":
                    break
            except AssertionError:
                self.server.kill()  # never answered: leave no server behind
                self.server.wait()
                raise
        else:
            raise RuntimeError("no X display could be started")
        if self.manager:
            self.start("openbox")
            self.wait_for(lambda: "window id" in self.run("xprop", "-root",
                                                          "_NET_SUPPORTING_WM_CHECK"))
        return self

    def __exit__(self, *exc):
        # A polite end lets the server remove its lock and socket for the next.
        for process in reversed(self.processes + [self.server]):
            if process.poll() is None:
                process.terminate()
            try:
                process.wait(timeout=5)
            except subprocess.TimeoutExpired:
                process.kill()
                process.wait()

    def reachable_or_gone(self):
        if self.server.poll() is not None:
            return "gone"  # lost the race for that number
        probe = subprocess.run(["xprop", "-root", "-len", "1"], env=self.env,
                               capture_output=True)
        return "reachable" if probe.returncode == 0 else None

    def start(self, *command):
        process = subprocess.Popen(command, env=self.env, stdout=subprocess.DEVNULL,
                                   stderr=subprocess.DEVNULL)
        self.processes.append(process)
        return process

    def run(self, *command):
        return subprocess.run(command, env=self.env, capture_output=True, text=True,
                              timeout=20).stdout

    @staticmethod
    def wait_for(condition, seconds=10):
        deadline = time.monotonic() + seconds
        while time.monotonic() < deadline:
            result = condition()
            if result:
                return result
            time.sleep(0.1)
        raise AssertionError("timed out waiting")

    def window(self):
        """The program's window, once it covers the whole screen."""
        wid = self.wait_for(lambda: self.run("xdotool", "search", "--name",
                                             "^" + TITLE + "$").split())[0]
        self.wait_for(lambda: self.covers_screen(wid))
        return wid

    def geometry(self, wid):
        info = self.run("xwininfo", "-id", wid)
        return tuple(int(re.search(f"{name}:\\s+(-?\\d+)", info).group(1))
                     for name in ("Absolute upper-left X", "Absolute upper-left Y",
                                  "Width", "Height"))

    def covers_screen(self, wid):
        x, y, width, height = self.geometry(wid)
        # On a bare X server the toolkit puts its full-screen window at (1, 1);
        # a window manager puts it at (0, 0).
        at_origin = (x, y) == (0, 0) or (not self.manager and (x, y) == (1, 1))
        return at_origin and (width, height) == self.screen_size()

    def screen_size(self):
        return tuple(int(side) for side in self.size.split("x"))

    def screenshot(self):
        return subprocess.run(["import", "-window", "root", "-depth", "8", "rgb:-"],
                              env=self.env, capture_output=True, timeout=20).stdout

    def animating(self):
        """Whether the screen changes within a few moments."""
        first = self.screenshot()
        for _ in range(10):
            time.sleep(0.2)
            if self.screenshot() != first:
                return True
        return False

    def key(self, *names):
        self.run("xdotool", "key", "--delay", "50", *names)


class CallStream(unittest.TestCase):
    """The OpenGL calls of a real run, recorded by apitrace."""

    @classmethod
    def setUpClass(cls):
        with tempfile.TemporaryDirectory() as folder, Display("640x480") as display:
            trace = os.path.join(folder, "cone.trace")
            tracer = display.start("apitrace", "trace", "-o", trace, PROGRAM)
            display.window()
            time.sleep(1.0)
            display.key("Escape")
            tracer.wait(20)
            # About ten frames: each holds some thirty thousand calls.
            dump = subprocess.run(["apitrace", "dump", "--color=never", "--call-nos=no",
                                   "--calls=0-300000", trace],
                                  capture_output=True, text=True, check=True).stdout
        cls.calls = [line for line in dump.splitlines()
                     if line.startswith("gl") and not line.endswith("// fake")]
        first_clear = next(i for i, call in enumerate(cls.calls) if call.startswith("glClear("))
        # The toolkit's own: the GLX set-up and its default reshape.
        cls.startup = [call for call in cls.calls[:first_clear]
                       if not call.startswith(("glX", "glViewport("))]
        cls.frames, cls.between = cls.split_frames(cls.calls[first_clear:])

    @staticmethod
    def split_frames(calls):
        """Frames from each glClear to its swap, glBegin..glEnd collapsed to
        one line with its vertex count; and whatever came between frames."""
        frames, between, frame, vertices = [], [], None, 0
        for call in calls:
            name = call.split("(", 1)[0]
            if frame is None:
                if name == "glClear":
                    frame = [call]
                else:
                    between.append(name)
            elif name == "glXSwapBuffers":
                if frame[-1] == "glFlush()":
                    frame.pop()  # the toolkit's swap flushes first
                frames.append(frame)
                frame = None
            elif name == "glBegin":
                frame.append(call)
                vertices = 0
            elif name == "glVertex3f":
                vertices += 1
            elif name == "glEnd":
                frame[-1] += f" x{vertices}"
            elif name != "glNormal3f":
                frame.append(call)
        return frames, between

    def test_startup_runs_once_in_order_with_its_values(self):
        with open(os.path.join(HERE, "startup-calls.txt")) as expected:
            expected_calls = expected.read().splitlines()
        self.assertEqual(self.startup, expected_calls)
        for call in set(expected_calls) - {"glLoadIdentity()"}:
            self.assertEqual(self.calls.count(call), expected_calls.count(call), call)

    def test_visual_is_double_buffered_with_depth_only(self):
        choose = next(call for call in self.calls if call.startswith("glXChooseFBConfig"))
        attributes = re.search(r"attribList = \{([^}]*)\}", choose).group(1)
        self.assertIn("GLX_DOUBLEBUFFER, True", attributes)
        self.assertIn("GLX_DEPTH_SIZE", attributes)
        for unwanted in ("STENCIL", "ACCUM", "ALPHA"):
            self.assertNotIn(unwanted, attributes)

    def test_every_frame_follows_the_frame_calls(self):
        self.assertGreaterEqual(len(self.frames), 5)
        cone = ["glBegin(mode = GL_QUAD_STRIP) x202"] * 100  # 100 slices by 100 stacks
        ball = ["glBegin(mode = GL_TRIANGLE_FAN) x7"] * 2 + \
               ["glBegin(mode = GL_QUAD_STRIP) x12"] * 3     # 5 slices by 5 stacks
        for number, frame in enumerate(self.frames):
            spin = re.fullmatch(r"glRotatef\(angle = (\S+), x = 1, y = 1, z = 1\)", frame[4])
            travel = re.fullmatch(r"glTranslatef\(x = 0, y = (\S+), z = 0\)", frame[106])
            self.assertTrue(spin and travel, f"frame {number}: {frame[4]} / {frame[106]}")
            expected = [
                "glClear(mask = GL_DEPTH_BUFFER_BIT | GL_COLOR_BUFFER_BIT)",
                "glColor3f(red = 0.5, green = 0.5, blue = 0.5)",
                "glPushMatrix()",
                "glRotatef(angle = -90, x = 1, y = 0, z = 0)",
                frame[4],
                *cone,
                "glRotatef(angle = -270, x = 1, y = 0, z = 0)",
                frame[106],
                "glTranslatef(x = 0, y = -90, z = 0)",
                "glColor3f(red = 0.5, green = 0, blue = 0)",
                *ball,
                "glTranslatef(x = 10, y = 10, z = 10)",
                "glColor3f(red = 0, green = 0.5, blue = 0)",
                *ball,
                "glTranslatef(x = 10, y = 10, z = 10)",
                "glColor3f(red = 0, green = 0, blue = 0.5)",
                *ball,
                "glPopMatrix()",
            ]
            self.assertEqual(frame, expected, f"frame {number}")
        # Between frames only the toolkit speaks: context and viewport.
        self.assertLessEqual(set(self.between), {"glXMakeContextCurrent", "glViewport"})

    def test_travel_steps_a_float_tenth_and_spin_one_degree_or_none(self):
        spins = [float(re.search(r"angle = (\S+),", frame[4]).group(1)) for frame in self.frames]
        travels = [re.search(r"y = (\S+),", frame[106]).group(1) for frame in self.frames]
        self.assertEqual((spins[0], travels[0]), (0.0, "0"))
        # Each travel is the float32 sum of the last and 0.1, printed to 7 digits.
        travel = 0.0
        for number, printed in enumerate(travels[1:], 1):
            travel = float32(travel + float32(0.1))
            if round(travel) == 140:
                travel = 0.0
            self.assertEqual(printed, f"{travel:.7g}", f"frame {number}")
        # Repaints may repeat a spin; idle frames add one degree.
        steps = {(b - a) % 360 for a, b in zip(spins, spins[1:])}
        self.assertLessEqual(steps, {0.0, 1.0})
        self.assertIn(1.0, steps)


class Keys(unittest.TestCase):
    def test_other_keys_change_nothing_and_escape_ends_at_once(self):
        with Display() as display:
            program = display.start(PROGRAM)
            display.window()
            display.key("a", "A", "z", "Z", "0", "9", "space", "Return")
            self.assertIsNone(program.poll())
            self.assertTrue(display.animating())

            display.key("Escape")
            self.assertEqual(program.wait(timeout=1), 0)


class Arguments(unittest.TestCase):
    def test_toolkit_options_and_junk_have_no_effect(self):
        with Display() as display:
            program = display.start(PROGRAM, "-display", "nowhere:9", "-geometry",
                                    "10x10+5+5", "-iconic", "--junk", "x")
            wid = display.window()  # on the display from the environment, full screen
            self.assertIn("IsViewable", display.run("xwininfo", "-id", wid))
            self.assertTrue(display.animating())
            self.assertIsNone(program.poll())


class Window(unittest.TestCase):
    def test_titled_and_covering_a_wide_screen_without_a_manager(self):
        with Display("1280x720") as display:
            display.start(PROGRAM)
            wid = display.window()
            self.assertIn(f'WM_NAME(STRING) = "{TITLE}"', display.run("xprop", "-id", wid))

    def test_full_screen_under_a_manager_and_closing_ends_with_status_zero(self):
        with Display("1024x600", manager=True) as display:
            program = display.start(PROGRAM)
            wid = display.window()
            self.assertIn("_NET_WM_STATE_FULLSCREEN",
                          display.run("xprop", "-id", wid, "_NET_WM_STATE"))
            display.run("wmctrl", "-c", TITLE)
            self.assertEqual(program.wait(timeout=5), 0)


class NoDisplay(unittest.TestCase):
    def test_toolkit_message_and_failure_status_not_a_crash(self):
        env = {key: value for key, value in os.environ.items()
               if key not in ("DISPLAY", "WAYLAND_DISPLAY")}
        with tempfile.TemporaryDirectory() as folder:
            result = subprocess.run([os.path.abspath(PROGRAM)], env=env, cwd=folder,
                                    capture_output=True, text=True, timeout=10)
            self.assertGreater(result.returncode, 0)  # negative would be a signal
            self.assertIn("failed to open display", result.stderr)
            self.assertEqual([name for name in os.listdir(folder) if "core" in name], [])


class Memory(unittest.TestCase):
    SECONDS = int(os.environ.get("MEMORY_SECONDS", "30"))

    def test_resident_size_stays_flat_while_animating(self):
        with Display("640x480") as display:
            program = display.start(PROGRAM)
            display.window()
            samples = []
            for _ in range(self.SECONDS):
                time.sleep(1)
                with open(f"/proc/{program.pid}/status") as status:
                    samples.append(int(re.search(r"VmRSS:\s+(\d+)", status.read()).group(1)))
            self.assertIsNone(program.poll())
        # The first seconds warm the renderer up. After that the size swings by
        # a few MiB as the renderer's per-frame buffers come and go; a leak of
        # anything the size of a frame's geometry would climb far past that.
        settled = samples[5:]
        early, late = settled[:len(settled) // 2], settled[len(settled) // 2:]
        print(f"\nresident KiB over {self.SECONDS} s: start {samples[0]}, "
              f"min {min(settled)}, max {max(settled)}, end {samples[-1]}")
        self.assertLessEqual(max(late) - max(early), 4096)


def hued_pixels(rgb, channel):
    """Pixels of a raw RGB screenshot whose channel clearly outweighs the others."""
    count = 0
    for i in range(0, len(rgb) - 2, 3):
        mine = rgb[i + channel]
        others = max(rgb[i + (channel + 1) % 3], rgb[i + (channel + 2) % 3])
        count += mine >= 60 and mine - others >= 40
    return count


class Windows(unittest.TestCase):
    """The Windows build, under Wine on a virtual screen that is not square."""

    def test_scene_full_screen_and_escape_ends_with_status_zero(self):
        wine_env = {
            "WINEPREFIX": os.path.join(os.path.expanduser("~"), ".cache", "spinning-cone",
                                       "wine-prefix"),
            "WINEDEBUG": "-all",
            "WINEDLLOVERRIDES": "mscoree,mshtml=",  # no Mono or Gecko prompts
        }
        with Display("1024x600") as display:
            display.env.update(wine_env)
            try:
                if not os.path.exists(os.path.join(wine_env["WINEPREFIX"], "system.reg")):
                    subprocess.run(["wineboot", "-i"], env=display.env, capture_output=True,
                                   timeout=120)
                program = display.start("wine", os.path.abspath(WINDOWS_PROGRAM))
                display.window()  # titled, and covering the screen

                width, height = display.screen_size()
                hues_seen = set()
                for _ in range(10):
                    shot = display.screenshot()
                    for x, y in ((2, 2), (width - 3, 2), (2, height - 3),
                                 (width - 3, height - 3)):
                        corner = shot[3 * (y * width + x):3 * (y * width + x) + 3]
                        self.assertTrue(all(abs(c - 26) <= 2 for c in corner), (x, y, corner))
                    hues_seen |= {channel for channel in range(3)
                                  if hued_pixels(shot, channel) >= 6}
                    if hues_seen == {0, 1, 2}:
                        break
                self.assertEqual(hues_seen, {0, 1, 2})

                display.key("Escape")
                self.assertEqual(program.wait(timeout=5), 0)
            finally:
                # Wine's server goes on a moment after the program; let it end
                # before its display does.
                subprocess.run(["wineserver", "-w"], env=display.env, timeout=60)


if __name__ == "__main__":
    unittest.main(verbosity=2)
