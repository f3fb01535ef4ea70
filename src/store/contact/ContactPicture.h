#pragma once
// ContactPicture: a contact's picture, kept both as the image file bytes of property 0xFF (so an
// unchanged picture is written back exactly as it was) and decoded to a 24-bit RGB bitmap.
// Copies share both.
#include <cstdint>
#include <memory>
#include <span>

#include "platform/imaging/Imaging.h"
#include "store/contact/ByteBlock.h"

class ContactPicture {
public:
    ContactPicture() = default;

    // The picture of stored image bytes. A block of only zero bytes is no picture, and so are
    // bytes that do not decode (a damaged picture is dropped).
    static ContactPicture FromImageBytes(std::span<const uint8_t> bytes);
    // A new picture encoded from a bitmap; no picture when it cannot be encoded.
    static ContactPicture FromBitmap(const plat::RgbBitmap& bitmap,
                                     plat::ImageFormat format = plat::ImageFormat::Jpeg);

    [[nodiscard]] bool IsEmpty() const { return !bitmap_; }
    const ByteBlock& ImageBytes() const { return bytes_; }
    int Width() const { return bitmap_ ? bitmap_->width : 0; }
    int Height() const { return bitmap_ ? bitmap_->height : 0; }
    // The decoded pixels; an empty bitmap when there is no picture.
    const plat::RgbBitmap& Bitmap() const;

    // Pictures are equal when their bitmaps are: size, dimensions and pixels.
    friend bool operator==(const ContactPicture& a, const ContactPicture& b);

private:
    ByteBlock bytes_;
    std::shared_ptr<const plat::RgbBitmap> bitmap_;
};
