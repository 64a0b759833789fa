// A shared library whose exported function asks for the call stack, so the stack
// holds a frame named by a library's exported symbol.
#include "Logger.h"

extern "C" __attribute__((noinline)) CString ProbeCallStack() {
  CString stack = Logger::getCallStack();
  asm volatile("");  // keeps this frame from becoming a tail call
  return stack;
}
