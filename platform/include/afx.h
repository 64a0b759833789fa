// The MFC classes and calls the suite's code uses, in one include.
#pragma once

#include "afxcoll.h"
#include "afxdll.h"
#include "afxfile.h"
#include "afxmsgbox.h"
#include "afxobject.h"
#include "afxstr.h"
#include "windows.h"
