#pragma once
// Control IDs of the menu window's children, for GetDlgItem. A member of the
// picInst array has the ID kPicInstFirstId plus its member number.
constexpr int kPicInstFirstId = 1000;
constexpr int kInstallId = kPicInstFirstId + 0;
constexpr int kFreeSetupId = kPicInstFirstId + 4;
constexpr int kManualId = kPicInstFirstId + 5;
constexpr int kPicEndId = 1010;
constexpr int kAppliNameId = 1020;
