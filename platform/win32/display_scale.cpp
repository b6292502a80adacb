#include "platform/win32/display_scale.h"

#include <windows.h>

namespace platform::win32 {

Scale displayScale() {
  static const Scale scale = [] {
    HDC screen = GetDC(nullptr);
    const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return Scale{dpi > 0 ? dpi : 96};
  }();
  return scale;
}

}  // namespace platform::win32
