#pragma once
// The dots per inch that tests/e2e/scaled-display.sh gives the screen for a run (PELMORA_DPI); otherwise 96.
#include <cstdlib>

inline int DotsPerInchOfThisRun() { return std::getenv("PELMORA_DPI") ? std::atoi(std::getenv("PELMORA_DPI")) : 96; }
