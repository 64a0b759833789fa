// What the running runtime keeps between CefInitialize and CefShutdown. Written on the UI
// thread; the command line may be read from any thread.
#pragma once

#include "cef_app.h"

class QWebEngineProfile;

namespace browser_runtime {

// The browser process's command line, null when the runtime is not running.
CefRefPtr<CefCommandLine> GlobalCommandLine();
// The default request context's profile: off the record, so nothing of a page is kept
// on disk. Null when the runtime is not running.
QWebEngineProfile* Profile();
CefRefPtr<CefApp> Application();

// How many pages are open; a page counts from its view's creation to its destruction.
int OpenPages();
void NotePageOpened();
void NotePageClosed();

// Whether the engine was stopped for good: its threads end only with the application.
bool EngineEnded();
void NoteEngineEnded();

void SetRunning(CefRefPtr<CefApp> application, CefRefPtr<CefCommandLine> commandLine, QWebEngineProfile* profile);
// Forgets everything and hands back the profile for the caller to delete.
QWebEngineProfile* SetStopped();

}  // namespace browser_runtime
