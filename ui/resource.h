#pragma once
// Resource numbers of the program's icon and pictures, named here once and
// used by name in the resource script.

#define IDI_PELMORA 1

// Window backgrounds by language, and the application-name canvas.
#define IDB_HEIKEI_J 100
#define IDB_HEIKEI_E 101
#define IDB_HEIKEI_SC 102
#define IDB_APPLINAME 103

// Button pictures: three state pictures each (normal, focus, pressed), at
// consecutive numbers from the first.
#define IDB_CV 110
#define IDB_CV_1 111
#define IDB_CV_2 112
#define IDB_FREESETUP_J 120
#define IDB_FREESETUP_J_1 121
#define IDB_FREESETUP_J_2 122
#define IDB_FREESETUP_E 123
#define IDB_FREESETUP_E_1 124
#define IDB_FREESETUP_E_2 125
#define IDB_FREESETUP_SC 126
#define IDB_FREESETUP_SC_1 127
#define IDB_FREESETUP_SC_2 128
#define IDB_MAN_J 130
#define IDB_MAN_J_1 131
#define IDB_MAN_J_2 132
#define IDB_MAN_E 133
#define IDB_MAN_E_1 134
#define IDB_MAN_E_2 135
#define IDB_MAN_SC 136
#define IDB_MAN_SC_1 137
#define IDB_MAN_SC_2 138
#define IDB_TOJIRU 140
#define IDB_TOJIRU_1 141
#define IDB_TOJIRU_2 142
#define IDB_EXIT 143
#define IDB_EXIT_1 144
#define IDB_EXIT_2 145
#define IDB_EXIT_SC 146
#define IDB_EXIT_SC_1 147
#define IDB_EXIT_SC_2 148
