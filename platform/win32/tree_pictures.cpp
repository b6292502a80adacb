#include "platform/win32/tree_pictures.h"

#include <cstdint>

#include "platform/win32/display_scale.h"
#include "platform/win32/tree_icons.h"

namespace platform::win32 {

// The pictures are enlarged to the screen's scale pixel by pixel: pixel art stays sharp that way.
TreePictures::TreePictures() {
  using namespace tree_icons;
  const int count = static_cast<int>(kImages.size());
  const int width = displayScale().px(kWidth), height = displayScale().px(kHeight);
  void* bits = nullptr;
  OwnedBitmap strip = createOffScreenBitmap(width * count, 2 * height, &bits);  // the pictures, then the masks
  MemoryDc dc(CreateCompatibleDC(nullptr));
  if (!strip || !dc) return;
  auto* pixels = static_cast<std::uint32_t*>(bits);
  const int stride = width * count;
  for (int image = 0; image < count; ++image) {
    for (int y = 0; y < height; ++y) {
      for (int x = 0; x < width; ++x) {
        std::optional<std::uint32_t> colour =
            colourOf(kImages[static_cast<std::size_t>(image)][static_cast<std::size_t>(y * kHeight / height)]
                            [static_cast<std::size_t>(x * kWidth / width)]);
        // A DIB pixel is 0x00RRGGBB, the reverse of a colour value.
        const std::uint32_t c = colour.value_or(0);
        const int at = y * stride + image * width + x;
        pixels[at] = colour ? (GetRValue(c) << 16) | (GetGValue(c) << 8) | GetBValue(c) : 0;
        pixels[at + height * stride] = colour ? 0 : 0xFFFFFF;
      }
    }
  }
  GdiFlush();
  SelectObject(dc.get(), strip.get());
  width_ = width;
  height_ = height;
  count_ = count;
  strip_ = std::move(strip);
  dc_ = std::move(dc);
}

void TreePictures::draw(HDC target, int index, int x, int y) const {
  if (!dc_ || index < 0 || index >= count_) return;
  BitBlt(target, x, y, width_, height_, dc_.get(), index * width_, height_, SRCAND);
  BitBlt(target, x, y, width_, height_, dc_.get(), index * width_, 0, SRCPAINT);
}

}  // namespace platform::win32
