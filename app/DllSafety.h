#pragma once

// Lets the loader find DLLs in the system folder only, so that a DLL planted
// beside a copy of the disc or in the current directory is never loaded.
// Uses SetDefaultDllDirectories where the system has it, otherwise
// SetDllDirectory with an empty text; both are looked up at run time.
// Returns which of the two took effect (0 neither, 1 the first, 2 the second).
int RestrictDllSearchPath();
