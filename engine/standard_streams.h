// Standard input, output and error as a program of the project finds them at its start.
#pragma once

namespace rivex {

// Opens /dev/null on each of descriptors 0, 1 and 2 that is closed, so that no file the
// program opens later takes its place. Called first thing in main.
void OpenClosedStandardStreams();

// Whether descriptor `fd` (0, 1 or 2) was closed when the program started.
bool WasClosedAtStart(int fd);

}  // namespace rivex
