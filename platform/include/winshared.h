// A LONG in the program file's shared image section: one counter for every process started
// from the same program file, -1 while none of them holds it. The program guards its single
// instance with it: the first InterlockedIncrement gives 0, any increment while another
// process holds the counter gives a positive value, and the counter is back to -1 once the
// processes that took it have ended, by a crash too.
//
// The kernel keeps it: holding the counter is holding an abstract Unix socket named from the
// canonical path of the program file, machine-wide and closed with the process. The socket is
// not inherited by the programs this one starts.
#pragma once

#include "wintypes.h"

struct SHARED_SECTION_LONG {
  LONG ownIncrements = 0;  // this process's increments not yet taken back
  int socket = -1;         // held while this process holds the counter
};

// Adds 1; the value after the addition: 0 for the first holder.
LONG InterlockedIncrement(SHARED_SECTION_LONG* value);
// Subtracts 1; the value after it. This process's last decrement lets the counter go.
LONG InterlockedDecrement(SHARED_SECTION_LONG* value);
