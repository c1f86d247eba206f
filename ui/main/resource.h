#pragma once
// Resource numbers of the program's icon and pictures.

#define IDI_PELMORA 1

// Window backgrounds by language, and the application-name canvas.
#define IDB_HEIKEI_J 100
#define IDB_HEIKEI_E 101
#define IDB_HEIKEI_SC 102
#define IDB_APPLINAME 103

// Button pictures: the first of three state pictures (normal, focus, pressed).
#define IDB_CV 110
#define IDB_FREESETUP_J 120
#define IDB_FREESETUP_E 123
#define IDB_FREESETUP_SC 126
#define IDB_MAN_J 130
#define IDB_MAN_E 133
#define IDB_MAN_SC 136
#define IDB_TOJIRU 140
#define IDB_EXIT 143
#define IDB_EXIT_SC 146
