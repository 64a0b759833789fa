// Start-up of the network library.
#pragma once

// Loads the library's language module (dialog template 4105, the proxy prompt's texts)
// and puts it in the library's place in the resource chain. Called once by the
// program before any dialog of this library is shown. 1 when attached, else 0.
extern "C" int InitCorvexNetworkDLL();
