#pragma once
// The picture in front of the contact view's heading: the contact's own picture when it decodes,
// else one of the drawn stand-in images (a company, a person, the flagged person).
#include <QImage>

#include "view/pane/ContactViewModel.h"

class Contact;
class ContactPicture;

// A contact's picture as an image; a null image when there is none.
QImage PictureImage(const ContactPicture& picture);

// The image for `kind`; for Own the contact's picture, falling back to the person image when it
// cannot be turned into an image.
QImage HeadingImage(HeadingPicture kind, const Contact& contact);
