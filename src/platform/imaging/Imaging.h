#pragma once
// The platform's imaging service: pictures decoded to 24-bit RGB and encoded back into an image
// file format. Decoding accepts PNG, JPEG, BMP and GIF (the first frame).
#include <cstdint>
#include <optional>
#include <span>
#include <vector>

namespace plat {

// The handheld's pixel format identifier of a 24-bit RGB bitmap.
inline constexpr uint32_t kPixelFormat24bppRgb = 0x00021808;

// A decoded picture: `rgb` holds height rows of width pixels, three bytes each (red, green,
// blue), rows packed without padding.
struct RgbBitmap {
    int width = 0;
    int height = 0;
    std::vector<uint8_t> rgb;

    [[nodiscard]] bool operator==(const RgbBitmap&) const = default;
};

// Pictures larger than this on either side are refused (a damaged header must not make the
// decoder allocate gigabytes).
inline constexpr int kMaxImageSide = 8192;

// Decodes an image file held in memory. Nothing for empty, damaged, unknown or oversized data.
std::optional<RgbBitmap> DecodeImage(std::span<const uint8_t> encoded);

enum class ImageFormat { Png, Jpeg, Bmp };

// Encodes a bitmap; nothing when the bitmap is malformed (sizes not matching its bytes) or the
// encoder fails.
std::optional<std::vector<uint8_t>> EncodeImage(const RgbBitmap& bitmap, ImageFormat format);

}  // namespace plat
