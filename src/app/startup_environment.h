#pragma once
// What the program settles with its environment before QApplication exists.

// Qt WebEngine's sandbox cannot run as root: switch it off then, and only then, with one line
// on stderr.
void disableSandboxForRoot();

// False, after explaining on stderr how to run on a virtual display, when Qt would pick the
// X11 platform but there is no display to connect to.
bool displayAvailable(int argc, char** argv);

// Makes a write past the file-size limit fail with an error instead of ending the program.
void reportOversizedWritesAsErrors();
