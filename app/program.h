#pragma once
// The program's entry: the start-up sequence, the message loop and the end.
namespace radar {

// Steps 1 to 6 of the start-up, up to (not including) loading the main window. Safe to
// call more than once in a process (tests do); each step runs once.
void StartProgramServices();

// The whole program: start-up, main window, message loop. Returns the exit code (0).
int RunProgram();

} // namespace radar
