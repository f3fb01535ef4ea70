#include "ui/edit/PictureFile.h"

#include <QBuffer>
#include <QFileDialog>
#include <QImage>
#include <QImageReader>
#include <QPainter>
#include <span>

#include "platform/imaging/Imaging.h"
#include "ui/toolkit/UiStrings.h"

namespace {

PictureFileChooser& Chooser() {
    static PictureFileChooser chooser;
    return chooser;
}

QString AskWithFileDialog(QWidget* parent, const QString& folder) {
    return QFileDialog::getOpenFileName(parent, UiText(uistr::kChoosePicture), folder,
                                        UiText(uistr::kPictureFiles));
}

// The picture at no more than `side` pixels on either side, opaque.
QImage Flattened(const QImage& read, int side) {
    QImage scaled = read.width() > side || read.height() > side
                        ? read.scaled(side, side, Qt::KeepAspectRatio, Qt::SmoothTransformation)
                        : read;
    QImage flat(scaled.size(), QImage::Format_RGB888);
    flat.fill(Qt::white);
    QPainter painter(&flat);
    painter.drawImage(0, 0, scaled);
    return flat;
}

}  // namespace

void SetPictureFileChooser(PictureFileChooser chooser) { Chooser() = std::move(chooser); }

QString ChoosePictureFile(QWidget* parent, const QString& folder) {
    return Chooser() ? Chooser()(parent, folder) : AskWithFileDialog(parent, folder);
}

PictureQuality PictureQualityOf(uint32_t setting) {
    switch (setting) {
    case 0: return {96, 70};
    case 1: return {192, 85};
    default: return {480, 90};
    }
}

PictureFile LoadPictureFile(const QString& path, const PictureQuality& quality) {
    QImageReader reader(path);
    reader.setAutoTransform(true);
    const QSize size = reader.size();
    if (size.isValid() && (size.width() > plat::kMaxImageSide || size.height() > plat::kMaxImageSide)) {
        // Decoded at a fraction of its size: a huge picture must not take all the memory.
        reader.setScaledSize(size.scaled(quality.maxSide, quality.maxSide, Qt::KeepAspectRatio));
    }
    const QImage read = reader.read();
    if (read.isNull()) {
        return {{}, UiText(uistr::kPictureUnreadable).arg(path, reader.errorString())};
    }
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    if (!Flattened(read, quality.maxSide).save(&buffer, "JPEG", quality.jpegQuality)) {
        return {{}, UiText(uistr::kPictureNotStored).arg(path)};
    }
    const auto* data = reinterpret_cast<const uint8_t*>(bytes.constData());
    return {ContactPicture::FromImageBytes(std::span(data, static_cast<size_t>(bytes.size()))), {}};
}
