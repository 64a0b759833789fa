// System Event Notification: whether the machine is connected to a network.
#pragma once

#include "winerror.h"
#include "wintypes.h"

#define NETWORK_ALIVE_LAN 0x00000001
#define NETWORK_ALIVE_WAN 0x00000002
#define NETWORK_ALIVE_AOL 0x00000004
#define NETWORK_ALIVE_INTERNET 0x00000008

// TRUE with *lpdwFlags = NETWORK_ALIVE_LAN when an interface other than loopback is up and
// running with an IPv4 or a global IPv6 address. FALSE otherwise: last error ERROR_SUCCESS
// when there is no such interface, another code when the interfaces cannot be listed.
BOOL IsNetworkAlive(LPDWORD lpdwFlags);
