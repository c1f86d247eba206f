#include "FreeSetupActions.h"

void LaunchCorvaneFromDisc() {}

void CopyCorvaneToMedium(HWND) {}
