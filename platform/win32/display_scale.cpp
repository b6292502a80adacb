#include "platform/win32/display_scale.h"

#include "platform/win32/handles.h"

namespace platform::win32 {

Scale displayScale() {
  static const Scale scale = [] {
    const int dpi = GetDeviceCaps(WindowDc(nullptr).get(), LOGPIXELSY);
    return Scale{dpi > 0 ? dpi : 96};
  }();
  return scale;
}

}  // namespace platform::win32
