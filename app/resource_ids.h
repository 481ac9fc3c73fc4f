// Identifiers of the resources in zentrik.rc, shared by the resource script and
// the code that loads them. Plain #defines: the resource compiler reads this too.
#pragma once

// The program's icon (16 x 16 and 32 x 32): the executable, the main window's
// class and the picture of the Create New Task dialog and the About box.
#define IDI_ZENTRIK 101
