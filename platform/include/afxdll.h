// MFC extension modules and the process's resource chain.
//
// A library registers itself at load time:
//
//   static AFX_EXTENSION_MODULE extension;
//   AfxInitExtensionModule(extension, THIS_MODULE_HANDLE());
//   new CDynLinkLibrary(extension);          // attaches to the chain
//   ...
//   AfxTermExtensionModule(extension);       // at unload: deletes its CDynLinkLibrary
//
// A resource look-up through the chain searches AfxGetResourceHandle()'s module first
// (the program by default), then the m_hResource of every attached CDynLinkLibrary,
// the latest attached first: MFC puts a new library at the head of its list.
// The chain is guarded by one mutex; every call here may come from any thread, and a
// library changes its m_hResource through SetResourceHandle, under that mutex. A
// search may ask the dynamic loader about a module it has not read yet, so a library
// should attach and detach from its load and unload code (under the loader's lock)
// while no other thread searches the chain, as the suite's libraries do.
#pragma once

#include "wintypes.h"

struct AFX_EXTENSION_MODULE {
  BOOL bInitialized = FALSE;
  HMODULE hModule = nullptr;
  HMODULE hResource = nullptr;  // where the module's resources are looked up
};

// Records the module as its own resource module. Always TRUE; a second call keeps
// the first values.
BOOL AfxInitExtensionModule(AFX_EXTENSION_MODULE& state, HMODULE hModule);
// Deletes every CDynLinkLibrary made for this module (all of them when bAll), which
// takes them out of the chain: afterwards the module's resources may be freed.
// Those CDynLinkLibrary objects must therefore have been made with new, as MFC's are.
void AfxTermExtensionModule(AFX_EXTENSION_MODULE& state, BOOL bAll = FALSE);

class CDynLinkLibrary {
 public:
  // Copies the module and resource handles and attaches itself at the chain's head.
  explicit CDynLinkLibrary(AFX_EXTENSION_MODULE& state);
  // Takes itself out of the chain.
  virtual ~CDynLinkLibrary();
  CDynLinkLibrary(const CDynLinkLibrary&) = delete;
  CDynLinkLibrary& operator=(const CDynLinkLibrary&) = delete;

  // Points the chain's search for this library at `resource` (its language module),
  // under the chain's mutex, so that a search on another thread reads one value or the other.
  void SetResourceHandle(HMODULE resource);

  HMODULE m_hModule;
  // Searched by the chain; written through SetResourceHandle.
  HMODULE m_hResource;
};

// The module searched first: the program's handle unless set (NULL sets it back).
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE resource);

// LoadLibraryA / FreeLibrary, serialised with each other as MFC does.
HINSTANCE AfxLoadLibrary(LPCSTR fileName);
BOOL AfxFreeLibrary(HINSTANCE library);
