#include "ui/view/HeadingImage.h"

#include <QPainter>

#include "store/contact/Contact.h"

namespace {

constexpr int kSide = 96;  // drawn at twice the design size, scaled down when painted

QImage Blank() {
    QImage image(kSide, kSide, QImage::Format_ARGB32_Premultiplied);
    image.fill(QColor(226, 232, 240));
    return image;
}

QImage Person(const QColor& colour) {
    QImage image = Blank();
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(Qt::NoPen);
    painter.setBrush(colour);
    painter.drawEllipse(QRectF(30, 14, 36, 36));
    painter.drawChord(QRectF(14, 56, 68, 68), 0, 180 * 16);
    return image;
}

QImage Company() {
    QImage image = Blank();
    QPainter painter(&image);
    painter.setPen(Qt::NoPen);
    painter.setBrush(QColor(96, 112, 136));
    painter.drawRect(22, 18, 52, 66);
    painter.setBrush(QColor(226, 232, 240));
    for (int row = 0; row < 4; ++row) {
        for (int column = 0; column < 3; ++column) painter.drawRect(28 + column * 16, 24 + row * 14, 8, 8);
    }
    return image;
}

}  // namespace

QImage PictureImage(const ContactPicture& picture) {
    if (picture.IsEmpty() || picture.Width() <= 0 || picture.Height() <= 0) return {};
    const plat::RgbBitmap& bitmap = picture.Bitmap();
    if (bitmap.rgb.size() < static_cast<size_t>(bitmap.width) * bitmap.height * 3) return {};
    return QImage(bitmap.rgb.data(), bitmap.width, bitmap.height, bitmap.width * 3, QImage::Format_RGB888).copy();
}

QImage HeadingImage(HeadingPicture kind, const Contact& contact) {
    switch (kind) {
        case HeadingPicture::Own: {
            const QImage own = PictureImage(contact.GetPicture());
            return own.isNull() ? Person(QColor(120, 136, 160)) : own;
        }
        case HeadingPicture::Company: return Company();
        case HeadingPicture::OtherPerson: return Person(QColor(168, 120, 96));
        case HeadingPicture::Person: break;
    }
    return Person(QColor(120, 136, 160));
}
