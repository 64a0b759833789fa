// Parts of the platform that load only when first needed (the windowed part, the PAC
// engine) lie in the same folder as Platform.so.
#pragma once

namespace platform {

// Opens `libraryFile` from the folder of Platform.so, for the rest of the process, and
// returns its symbol `symbol`; null (the loader's message on standard error) when either
// is missing.
void* SiblingLibrarySymbol(const char* libraryFile, const char* symbol);

}  // namespace platform
