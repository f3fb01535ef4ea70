#include "platform/imaging/Imaging.h"

#include <QBuffer>
#include <QByteArray>
#include <QImage>
#include <QImageReader>
#include <QImageWriter>
#include <cstring>

namespace plat {
namespace {

QByteArray WrapBytes(std::span<const uint8_t> bytes) {
    // The reader only reads, so the bytes are not copied.
    return QByteArray::fromRawData(reinterpret_cast<const char*>(bytes.data()),
                                   static_cast<qsizetype>(bytes.size()));
}

bool SizeAcceptable(const QSize& size) {
    return size.isValid() && size.width() <= kMaxImageSide && size.height() <= kMaxImageSide;
}

RgbBitmap ToBitmap(const QImage& decoded) {
    const QImage image = decoded.convertToFormat(QImage::Format_RGB888);
    RgbBitmap bitmap;
    bitmap.width = image.width();
    bitmap.height = image.height();
    const size_t rowBytes = static_cast<size_t>(bitmap.width) * 3;
    bitmap.rgb.resize(rowBytes * static_cast<size_t>(bitmap.height));
    for (int y = 0; y < bitmap.height; ++y) {
        std::memcpy(bitmap.rgb.data() + rowBytes * static_cast<size_t>(y), image.constScanLine(y),
                    rowBytes);
    }
    return bitmap;
}

const char* FormatName(ImageFormat format) {
    switch (format) {
    case ImageFormat::Png: return "png";
    case ImageFormat::Jpeg: return "jpeg";
    case ImageFormat::Bmp: return "bmp";
    }
    return "png";
}

}  // namespace

std::optional<RgbBitmap> DecodeImage(std::span<const uint8_t> encoded) {
    if (encoded.empty()) return std::nullopt;
    QByteArray data = WrapBytes(encoded);
    QBuffer buffer(&data);
    if (!buffer.open(QIODevice::ReadOnly)) return std::nullopt;
    QImageReader reader(&buffer);
    reader.setAutoTransform(false);
    // The declared size is checked before any pixel memory is taken.
    if (!reader.canRead() || !SizeAcceptable(reader.size())) return std::nullopt;
    QImage image;
    if (!reader.read(&image) || image.isNull() || !SizeAcceptable(image.size())) {
        return std::nullopt;
    }
    return ToBitmap(image);
}

std::optional<std::vector<uint8_t>> EncodeImage(const RgbBitmap& bitmap, ImageFormat format) {
    if (bitmap.width <= 0 || bitmap.height <= 0 || bitmap.width > kMaxImageSide ||
        bitmap.height > kMaxImageSide ||
        bitmap.rgb.size() != static_cast<size_t>(bitmap.width) * bitmap.height * 3) {
        return std::nullopt;
    }
    const QImage image(bitmap.rgb.data(), bitmap.width, bitmap.height, bitmap.width * 3,
                       QImage::Format_RGB888);
    QByteArray out;
    QBuffer buffer(&out);
    if (!buffer.open(QIODevice::WriteOnly)) return std::nullopt;
    QImageWriter writer(&buffer, FormatName(format));
    if (!writer.write(image)) return std::nullopt;
    return std::vector<uint8_t>(out.begin(), out.end());
}

}  // namespace plat
