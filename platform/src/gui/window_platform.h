// The Qt platform this process's windows use, decided once without letting Qt try.
#pragma once

#include <string>

namespace platform::ui {

// The first usable entry of QT_QPA_PLATFORM ("name" or "name:options", entries separated
// by ';'), or when it is unset "xcb" and then "wayland"; "" when none is usable. A
// platform is usable when its Qt plugin is installed and, for xcb and wayland, when its
// display accepts a connection.
const std::string& WindowPlatform();

}  // namespace platform::ui
