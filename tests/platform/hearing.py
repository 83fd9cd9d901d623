#!/usr/bin/env python3
"""Hears the program's sound player through a real sound server whose only output is a virtual
one (a sink that writes what it plays, at the pace of the clock, into a pipe), recording that
pipe and lining the recording up, sample by sample, against each wave file played. Checks that short and long sounds arrive whole, that a newer sound
cuts the one playing, that a stalled server leaves the event loop answering, and that a server
killed and started again plays the next sound.

Usage: hearing.py <sound_driver> <work folder>; exits 77 when the sound server is not installed."""

import os
import random
import select
import shutil
import signal
import struct
import subprocess
import sys
import time

RATE = 22050
# libpulse gives up on a server that does not answer after 30 s; the stall lasts longer.
STALL_SECONDS = 35


class Failed(Exception):
    pass


def fail(message):
    raise Failed(message)


def check(failures, name, step):
    """Runs one check; a failure is told and the next check still runs."""
    try:
        step()
        print("PASS:", name)
    except Failed as failure:
        print("FAIL: %s: %s" % (name, failure))
        failures.append(name)


def write_wav(path, samples):
    data = struct.pack("<%dh" % len(samples), *samples)
    with open(path, "wb") as out:
        out.write(b"RIFF" + struct.pack("<I", 36 + len(data)) + b"WAVE")
        out.write(b"fmt " + struct.pack("<IHHIIHH", 16, 1, 1, RATE, RATE * 2, 2, 16))
        out.write(b"data" + struct.pack("<I", len(data)) + data)
    return data


def noise(milliseconds, seed):
    """Samples that line up at one place only; no sample is zero, so silence never matches."""
    generator = random.Random(seed)
    return [generator.choice((-1, 1)) * generator.randint(500, 20000)
            for _ in range(RATE * milliseconds // 1000)]


class Server:
    def __init__(self, work):
        self.work = work
        self.socket = os.path.join(work, "native")
        self.environment = dict(os.environ, HOME=os.path.join(work, "home"),
                                XDG_RUNTIME_DIR=os.path.join(work, "run"),
                                XDG_CONFIG_HOME=os.path.join(work, "home", "config"),
                                PULSE_SERVER="unix:" + self.socket)
        self.environment.pop("DISPLAY", None)
        for folder in ("home", "run"):
            os.makedirs(os.path.join(work, folder), exist_ok=True)
        self.server = self.recorder = None
        self.recording = None

    def start(self, name):
        fifo = os.path.join(self.work, "output")
        for path in (self.socket, fifo):
            if os.path.exists(path):
                os.remove(path)
        log = open(os.path.join(self.work, name + "-server.log"), "w")
        self.server = subprocess.Popen(
            ["pulseaudio", "-n", "--daemonize=no", "--exit-idle-time=-1", "--use-pid-file=no",
             "--log-target=stderr",
             "-L", "module-native-protocol-unix socket=%s auth-anonymous=1" % self.socket,
             "-L", "module-pipe-sink sink_name=hear file=%s format=s16le rate=%d channels=1 "
             "use_system_clock_for_timing=yes" % (fifo, RATE)],
            env=self.environment, stdout=log, stderr=log)
        deadline = time.monotonic() + 30
        while subprocess.run(["pactl", "info"], env=self.environment, capture_output=True).returncode:
            if self.server.poll() is not None or time.monotonic() > deadline:
                fail("the sound server did not start; see %s-server.log" % name)
            time.sleep(0.1)
        self.recording = os.path.join(self.work, name + ".raw")
        self.recorder = subprocess.Popen(["cat", fifo], stdout=open(self.recording, "wb"))
        # Recording has begun once silence arrives.
        while not os.path.exists(self.recording) or os.path.getsize(self.recording) < RATE // 10:
            if self.recorder.poll() is not None or time.monotonic() > deadline:
                fail("the recorder did not start")
            time.sleep(0.05)

    def kill(self):
        for process in (self.recorder, self.server):
            if process and process.poll() is None:
                os.kill(process.pid, signal.SIGCONT)
                process.kill()
                process.wait()

    def heard(self):
        with open(self.recording, "rb") as recording:
            return recording.read()


class Driver:
    def __init__(self, program, environment):
        self.process = subprocess.Popen([program], env=environment, stdin=subprocess.PIPE,
                                        stdout=subprocess.PIPE)
        self.pending = b""

    def ask(self, command, within):
        """Sends a command and returns its answer and how long it took; fails after `within` s."""
        began = time.monotonic()
        self.process.stdin.write(command.encode() + b"\n")
        self.process.stdin.flush()
        while b"\n" not in self.pending:
            left = began + within - time.monotonic()
            ready = select.select([self.process.stdout], [], [], max(left, 0))[0]
            chunk = os.read(self.process.stdout.fileno(), 4096) if ready else b""
            if not chunk:
                fail("the player's event loop did not answer \"%s\" within %s s" % (command, within))
            self.pending += chunk
        answer, self.pending = self.pending.split(b"\n", 1)
        return answer.decode(), time.monotonic() - began

    def play(self, path, within=10):
        answer, took = self.ask("play " + path, within)
        if answer != "started":
            fail("%s was not started: %s" % (path, answer))
        return took


def await_heard(server, data, since=0, within=10):
    """Waits for every sample of `data`, in order, in the recording from byte `since` on; returns
    where it starts."""
    deadline = time.monotonic() + within
    while True:
        heard = server.heard()
        start = heard.find(data[:64], since)
        while start >= 0 and start % 2:
            start = heard.find(data[:64], start + 1)
        if start >= 0 and heard[start:start + len(data)] == data:
            return start
        if time.monotonic() > deadline:
            break
        time.sleep(0.05)
    if start < 0:
        fail("the sound was not heard at all")
    same = 0
    while start + same < len(heard) and same < len(data) and heard[start + same] == data[same]:
        same += 1
    fail("the sound was cut: %d of its %d samples heard (%d ms lost)"
         % (same // 2, len(data) // 2, (len(data) - same) // 2 * 1000 // RATE))


def main():
    program, work = sys.argv[1], sys.argv[2]
    for tool in ("pulseaudio", "pactl"):
        if not shutil.which(tool):
            print(tool, "is not installed")
            sys.exit(77)
    shutil.rmtree(work, ignore_errors=True)
    os.makedirs(work)
    short, long_, cut, late, after = (os.path.join(work, name + ".wav")
                                      for name in ("short", "long", "cut", "late", "after"))
    sounds = {short: write_wav(short, noise(100, 1)), long_: write_wav(long_, noise(1000, 2)),
              cut: write_wav(cut, noise(1000, 3)), late: write_wav(late, noise(200, 4)),
              after: write_wav(after, noise(300, 5))}

    server = Server(work)
    server.start("first")
    driver = Driver(program, server.environment)
    failures = []

    def whole(path):
        mark = len(server.heard())
        driver.play(path)
        await_heard(server, sounds[path], mark)

    def cut_short():
        # The first sound's start, then the second whole and nothing of the first's end.
        mark = len(server.heard())
        driver.play(cut)
        first = await_heard(server, sounds[cut][:RATE // 5 * 2], mark)
        driver.play(short)
        await_heard(server, sounds[short], first)
        if server.heard().find(sounds[cut][-RATE // 10 * 2:], first) >= 0:
            fail("the first sound played on to its end")

    def stalled():
        # Every play returns at once and the event loop keeps answering; afterwards sounds play.
        os.kill(server.server.pid, signal.SIGSTOP)
        longest = 0.0
        try:
            began = time.monotonic()
            while time.monotonic() - began < STALL_SECONDS:
                longest = max(longest, driver.play(late, 3), driver.ask("ping", 3)[1])
                time.sleep(0.5)
        finally:
            os.kill(server.server.pid, signal.SIGCONT)
            print("longest answer while the server was stopped: %.0f ms" % (longest * 1000))
        driver.ask("wait", 60)
        whole(after)

    def restarted():
        server.kill()
        server.start("second")
        whole(after)

    try:
        check(failures, "a 100 ms sound is heard whole", lambda: whole(short))
        check(failures, "a 1 s sound is heard whole", lambda: whole(long_))
        check(failures, "a newer sound cuts the one playing", cut_short)
        check(failures, "a server stopped for %d s holds nothing up" % STALL_SECONDS, stalled)
        check(failures, "a server started again plays the next sound", restarted)
    finally:
        driver.process.stdin.close()
        try:
            driver.process.wait(timeout=5)
        except subprocess.TimeoutExpired:
            driver.process.kill()
            failures.append("the player did not end within 5 s")
        server.kill()
    sys.exit(1 if failures else 0)

if __name__ == "__main__":
    main()
