// The Windows calls the suite's code uses, in one include.
#pragma once

#include "sensapi.h"
#include "wincred.h"
#include "winerror.h"
#include "winfile.h"
#include "winfind.h"
#include "winhttp.h"
#include "winmodule.h"
#include "winnls.h"
#include "winprofile.h"
#include "winreg.h"
#include "winresource.h"
#include "winsecurity.h"
#include "winthread.h"
#include "wintime.h"
#include "wintypes.h"
#include "winuser.h"
