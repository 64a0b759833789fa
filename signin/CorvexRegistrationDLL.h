// Start-up of the sign-in library.
#pragma once

// Loads the library's language module (its dialog title and error messages) and puts
// it in the library's place in the resource chain. 1 when attached, else 0 (the texts
// then load empty).
extern "C" int InitCorvexRegistrationDLL();
