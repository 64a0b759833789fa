// The browser's sub-process program: the engine starts it for its renderer, GPU and
// utility processes.
#include "cef_app.h"

int main(int argc, char* argv[]) { return CefExecuteProcess(CefMainArgs(argc, argv), nullptr, nullptr); }
