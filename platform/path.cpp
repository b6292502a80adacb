#include "platform/path.h"

#include "base/gbk_codec.h"

namespace platform {

Path Path::asFolder() const {
  if (units_.empty() || units_.back() == u'\\') return *this;
  return *this + u"\\";
}

Path Path::fromGbk(std::string_view text) { return Path(gbk::toUtf16(text)); }

gbk::Text Path::shown() const { return gbk::fromUtf16(units_); }

}  // namespace platform
