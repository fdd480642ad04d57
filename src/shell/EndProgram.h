#pragma once
// The one way the program ends: every window goes, the databases are released and the event
// loop stops. Windows' unload handlers do not run, as at any explicit end of the program.
#include <functional>

void endProgram();

// True once endProgram() has run (the program's entry point asks before starting its event loop,
// since an end during start-up comes before the loop runs).
bool programHasEnded();

// Tests put a hook in place of the real end; an empty function restores it.
void setEndProgramHook(std::function<void()> hook);
