#include "window_platform.h"

#include <dlfcn.h>
#include <sys/socket.h>
#include <sys/un.h>
#include <unistd.h>

#include <QLibraryInfo>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "platform_gui.h"

namespace platform::ui {
namespace {

std::string environment(const char* name) {
  const char* value = std::getenv(name);
  return value ? value : "";
}

bool fileExists(const std::string& path) { return access(path.c_str(), R_OK) == 0; }

// Qt's platform plugins are files "libq<name>.so"; "wayland" is the generic or EGL client.
bool pluginInstalled(const std::string& name) {
  const std::string folder = QLibraryInfo::path(QLibraryInfo::PluginsPath).toStdString() + "/platforms/libq";
  if (name == "wayland") return fileExists(folder + "wayland-generic.so") || fileExists(folder + "wayland-egl.so");
  return fileExists(folder + name + ".so");
}

// Asks libxcb itself, loaded only for the question, so the build needs no X headers. A
// connection that answered stays open for the process's life: a server that resets when
// its last client leaves refuses clients during the reset, and Qt connects right after.
bool xDisplayAnswers() {
  const std::string display = environment("DISPLAY");
  void* xcb = display.empty() ? nullptr : dlopen("libxcb.so.1", RTLD_NOW | RTLD_LOCAL);
  if (!xcb) return false;
  auto connect = reinterpret_cast<void* (*)(const char*, int*)>(dlsym(xcb, "xcb_connect"));
  auto hasError = reinterpret_cast<int (*)(void*)>(dlsym(xcb, "xcb_connection_has_error"));
  auto disconnect = reinterpret_cast<void (*)(void*)>(dlsym(xcb, "xcb_disconnect"));
  if (!connect || !hasError || !disconnect) {
    dlclose(xcb);
    return false;
  }
  void* connection = connect(display.c_str(), nullptr);  // an error object, never null
  if (hasError(connection) == 0) {
    static void* const held = connection;
    (void)held;
    return true;
  }
  disconnect(connection);
  dlclose(xcb);
  return false;
}

// The compositor's socket: WAYLAND_DISPLAY (default wayland-0) under XDG_RUNTIME_DIR,
// or WAYLAND_DISPLAY itself when absolute.
std::string waylandSocket() {
  std::string display = environment("WAYLAND_DISPLAY");
  if (display.empty()) display = "wayland-0";
  if (display[0] == '/') return display;
  const std::string runtime = environment("XDG_RUNTIME_DIR");
  return runtime.empty() ? "" : runtime + "/" + display;
}

bool waylandDisplayAnswers() {
  const std::string path = waylandSocket();
  sockaddr_un address{};
  if (path.empty() || path.size() >= sizeof(address.sun_path)) return false;
  address.sun_family = AF_UNIX;
  std::memcpy(address.sun_path, path.c_str(), path.size());
  const int fd = socket(AF_UNIX, SOCK_STREAM | SOCK_CLOEXEC, 0);
  if (fd < 0) return false;
  const bool answers = connect(fd, reinterpret_cast<sockaddr*>(&address), sizeof(address)) == 0;
  close(fd);
  return answers;
}

bool usable(const std::string& entry) {
  const std::string name = entry.substr(0, entry.find(':'));
  if (name.empty() || !pluginInstalled(name)) return false;
  if (name == "xcb") return xDisplayAnswers();
  if (name.rfind("wayland", 0) == 0) return waylandDisplayAnswers();
  return true;  // offscreen, minimal, vnc, linuxfb, eglfs...: no display server to ask
}

std::string decide() {
  std::istringstream entries(environment("QT_QPA_PLATFORM"));
  if (entries.str().empty()) entries.str("xcb;wayland");
  std::string entry;
  while (std::getline(entries, entry, ';'))
    if (usable(entry)) return entry;
  return "";
}

}  // namespace

const std::string& WindowPlatform() {
  static const std::string* const decided = new std::string(decide());  // read until the end
  return *decided;
}

bool CanOpenWindows() { return !WindowPlatform().empty(); }

}  // namespace platform::ui
