#pragma once

// A test-only seam under the file layer: linked into a test program, it takes the place of the
// C library's calls that change files (for the program and every library it uses), counts those
// that touch files below one folder, and makes one of them fail. Nothing here is part of the game.
namespace faults {

enum class Mode {
    Once,    // the chosen call fails, the later ones work
    Sticky,  // the chosen call and every later one fail (the disk stays full or broken)
    Short,   // the chosen call, a write, stores only part of its bytes; every later one fails with ENOSPC
};

// Counts the calls on files below `root` from now on; the `failAt`-th (from 1) fails with
// `error` in `mode`; 0 fails none. With a `logPath`, every counted call is written there as one
// line: number, call, path, offset (or -1), length (or -1).
void arm(const char *root, int failAt, int error, Mode mode, const char *logPath);
// Stops counting and failing; returns how many calls were counted.
int disarm();

} // namespace faults
