#pragma once
// A contact's picture taken from an image file: the file dialog that asks for the file (behind a
// seam that tests replace) and the reading of the file into the stored picture format (JPEG).
#include <QString>
#include <cstdint>
#include <functional>

#include "store/contact/ContactPicture.h"

class QWidget;

// Asks for an image file, starting in `folder`; an empty path when the user cancels.
using PictureFileChooser = std::function<QString(QWidget* parent, const QString& folder)>;

// Replaces the chooser; an empty function brings the file dialog back.
void SetPictureFileChooser(PictureFileChooser chooser);
QString ChoosePictureFile(QWidget* parent, const QString& folder);

// How pictures are stored at a `PicQuality` setting: 0 small, 1 (the default) medium, 2 and above
// large.
struct PictureQuality {
    int maxSide;      // the longer side in pixels
    int jpegQuality;  // 0 to 100
};
PictureQuality PictureQualityOf(uint32_t setting);

struct PictureFile {
    ContactPicture picture;  // empty when the file cannot be used
    QString error;           // then: why, in words for the user
};

// Reads any image file Qt reads (PNG, JPEG, GIF, BMP, ...; the first frame of an animation), turned
// as its orientation tag says, scaled down to `quality`'s side, transparent parts laid on white,
// and encodes it as JPEG.
PictureFile LoadPictureFile(const QString& path, const PictureQuality& quality);
