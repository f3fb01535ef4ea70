#include "platform/imaging/Imaging.h"

#include <gtest/gtest.h>

#include <cstring>

using plat::DecodeImage;
using plat::EncodeImage;
using plat::ImageFormat;
using plat::RgbBitmap;

namespace {

RgbBitmap Gradient(int width, int height) {
    RgbBitmap b;
    b.width = width;
    b.height = height;
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            b.rgb.push_back(static_cast<uint8_t>(x * 40));
            b.rgb.push_back(static_cast<uint8_t>(y * 60));
            b.rgb.push_back(static_cast<uint8_t>(x + y));
        }
    }
    return b;
}

// A one-pixel BMP whose header declares another size.
std::vector<uint8_t> BmpDeclaring(int32_t width, int32_t height) {
    std::vector<uint8_t> bmp = *EncodeImage(Gradient(1, 1), ImageFormat::Bmp);
    std::memcpy(bmp.data() + 18, &width, 4);
    std::memcpy(bmp.data() + 22, &height, 4);
    return bmp;
}

}  // namespace

TEST(Imaging, LosslessFormatsRoundTripPixelsExactly) {
    // An odd width makes the decoder's row padding visible if it leaked into the bytes.
    const RgbBitmap source = Gradient(5, 3);
    for (ImageFormat format : {ImageFormat::Png, ImageFormat::Bmp}) {
        const auto encoded = EncodeImage(source, format);
        ASSERT_TRUE(encoded.has_value());
        const auto decoded = DecodeImage(*encoded);
        ASSERT_TRUE(decoded.has_value());
        EXPECT_EQ(*decoded, source);
    }
    const auto jpeg = DecodeImage(*EncodeImage(source, ImageFormat::Jpeg));  // lossy: the size stays
    ASSERT_TRUE(jpeg.has_value());
    EXPECT_EQ(std::make_pair(jpeg->width, jpeg->height), std::make_pair(5, 3));
    RgbBitmap shortRows = source;
    shortRows.rgb.pop_back();
    EXPECT_FALSE(EncodeImage(shortRows, ImageFormat::Png).has_value());
}

TEST(Imaging, DamagedOrForeignDataDecodesToNothing) {
    const auto png = *EncodeImage(Gradient(16, 16), ImageFormat::Png);
    const std::vector<uint8_t> truncated(png.begin(), png.begin() + static_cast<long>(png.size() / 2));
    const std::vector<std::vector<uint8_t>> cases = {
        {},
        std::vector<uint8_t>(64, 0),
        truncated,
        BmpDeclaring(100000, 100000),  // declared size far beyond the limit
        BmpDeclaring(-5, 0),
    };
    for (size_t i = 0; i < cases.size(); ++i) {
        EXPECT_FALSE(DecodeImage(cases[i]).has_value()) << "case " << i;
    }
}
