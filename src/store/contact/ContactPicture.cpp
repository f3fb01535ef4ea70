#include "store/contact/ContactPicture.h"

ContactPicture ContactPicture::FromImageBytes(std::span<const uint8_t> bytes) {
    ContactPicture picture;
    ByteBlock block(bytes);
    if (block.IsAllZero()) return picture;
    auto decoded = plat::DecodeImage(bytes);
    if (!decoded) return picture;
    picture.bytes_ = std::move(block);
    picture.bitmap_ = std::make_shared<const plat::RgbBitmap>(std::move(*decoded));
    return picture;
}

ContactPicture ContactPicture::FromBitmap(const plat::RgbBitmap& bitmap, plat::ImageFormat format) {
    const auto encoded = plat::EncodeImage(bitmap, format);
    if (!encoded) return {};
    return FromImageBytes(*encoded);
}

const plat::RgbBitmap& ContactPicture::Bitmap() const {
    static const plat::RgbBitmap kNone;
    return bitmap_ ? *bitmap_ : kNone;
}

bool operator==(const ContactPicture& a, const ContactPicture& b) {
    return a.Bitmap() == b.Bitmap();
}
