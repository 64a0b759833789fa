// A virtual X display (Xvfb) for the object's life, on a display number it picks itself.
#pragma once

#include <sys/types.h>

#include <string>

class XvfbDisplay {
 public:
  XvfbDisplay();
  ~XvfbDisplay();
  XvfbDisplay(const XvfbDisplay&) = delete;
  XvfbDisplay& operator=(const XvfbDisplay&) = delete;

  // ":N", or "" when it did not start.
  const std::string& Name() const { return m_name; }

 private:
  pid_t m_pid = -1;
  int m_numberPipe = -1;
  std::string m_name;
};
