// The framework's message box: the application title as caption, the main window as owner.
#pragma once

#include "winuser.h"

// The application title is the application object's (afxwinapp.h), else the program
// file's name without its folder. There is no main window here, so the box has no owner.
// `helpId` is accepted and not used.
int AfxMessageBox(LPCSTR text, UINT type = MB_OK, UINT helpId = 0);
