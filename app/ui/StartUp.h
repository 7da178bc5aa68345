#pragma once

// The program's entry: single instance, file-type registration, start-up sound, the windows in
// their order, the splash wait, the command-line album, the message loop.
int RunProgram(int argc, char** argv);
