#include "store/contact/ValueLimits.h"

#include <algorithm>

#include "platform/text/Utf.h"
#include "store/contact/Contact.h"

namespace {

// The bitmap at half its sides, each pixel the average of a 2 x 2 block.
plat::RgbBitmap Halved(const plat::RgbBitmap& bitmap) {
    plat::RgbBitmap half;
    half.width = std::max(1, bitmap.width / 2);
    half.height = std::max(1, bitmap.height / 2);
    half.rgb.resize(size_t(half.width) * size_t(half.height) * 3);
    const auto at = [&](int x, int y, int c) {
        return bitmap.rgb[(size_t(std::min(y, bitmap.height - 1)) * size_t(bitmap.width) +
                           size_t(std::min(x, bitmap.width - 1))) *
                              3 +
                          size_t(c)];
    };
    for (int y = 0; y < half.height; ++y) {
        for (int x = 0; x < half.width; ++x) {
            for (int c = 0; c < 3; ++c) {
                const unsigned sum = at(2 * x, 2 * y, c) + at(2 * x + 1, 2 * y, c) + at(2 * x, 2 * y + 1, c) +
                                     at(2 * x + 1, 2 * y + 1, c);
                half.rgb[(size_t(y) * size_t(half.width) + size_t(x)) * 3 + size_t(c)] =
                    static_cast<uint8_t>(sum / 4);
            }
        }
    }
    return half;
}

// Encodes the picture again (as JPEG), halving its sides (averaging each 2 x 2 block) until its image
// file fits, as a phone scales a large photo for its contacts; no picture when even one pixel does
// not fit.
ContactPicture Fitted(const ContactPicture& picture) {
    plat::RgbBitmap bitmap = picture.Bitmap();
    for (;;) {
        ContactPicture encoded = ContactPicture::FromBitmap(bitmap);
        if (encoded.IsEmpty() || encoded.ImageBytes().Size() <= limits::kPictureBytes) return encoded;
        if (bitmap.width <= 1 && bitmap.height <= 1) return {};
        bitmap = Halved(bitmap);
    }
}

std::string Kb(size_t bytes) { return std::to_string(bytes / 1024) + " KB"; }

// Cuts `text` to `units`, not inside a surrogate pair; true when it was cut.
bool Cut(Str& text, size_t units) {
    if (size_t(text.GetLength()) <= units) return false;
    size_t keep = units;
    if (keep > 0 && (text.View()[keep - 1] & 0xFC00) == 0xD800) --keep;
    text = text.Left(static_cast<int>(keep));
    return true;
}

void CutValue(Str& text, const std::string& name, std::vector<std::string>& changed) {
    if (Cut(text, limits::kTextUnits)) changed.push_back(name + " cut to " + Kb(limits::kTextUnits * 2));
}

// A `data:` value (a logo, a sound, a key kept as the card had it) is whole or useless: one over the
// limit is dropped, not cut.
bool IsData(const Str& value) { return value.View().substr(0, 5) == u"data:"; }

void CutList(Array<CustText>& list, const char* what, std::vector<std::string>& changed) {
    for (int i = 0; i < list.GetSize();) {
        CustText& entry = list[i];
        const std::string name =
            std::string(what) + " \"" + plat::ToUtf8(entry.label.View().substr(0, 40)) + "\"";
        if (IsData(entry.value) && size_t(entry.value.GetLength()) > limits::kTextUnits) {
            changed.push_back(name + " (" + Kb(size_t(entry.value.GetLength()) * 2) +
                              ") dropped: larger than " + Kb(limits::kTextUnits * 2));
            list.RemoveAt(i);
            continue;
        }
        CutValue(entry.label, std::string(what) + " label", changed);
        CutValue(entry.value, name, changed);
        ++i;
    }
}

}  // namespace

std::vector<std::string> ApplyValueLimits(Contact& contact) {
    std::vector<std::string> changed;
    for (int field = 0; field < kTextFieldCount; ++field) {
        Str text = contact.GetText(field);
        if (!Cut(text, limits::kTextUnits)) continue;
        contact.SetText(field, text);
        changed.push_back(TextFieldLabel(field).ToUtf8() + " cut to " + Kb(limits::kTextUnits * 2));
    }
    for (auto [list, what] : {std::pair{&contact.phones, "phone"},
                              {&contact.emails, "e-mail"},
                              {&contact.webPages, "web page"},
                              {&contact.people, "person"},
                              {&contact.ringtones, "ringtone"},
                              {&contact.others, "value"}}) {
        CutList(*list, what, changed);
    }
    if (contact.GetNote().Size() > limits::kNoteBytes) {
        const auto bytes = contact.GetNote().Bytes();
        size_t keep = limits::kNoteBytes & ~size_t{1};
        if (keep >= 2 && (bytes[keep - 1] & 0xFC) == 0xD8) keep -= 2;  // not inside a surrogate pair
        contact.SetNote(ByteBlock(bytes.first(keep)));
        changed.push_back("the note cut to " + Kb(limits::kNoteBytes));
    }
    const ContactPicture& picture = contact.GetPicture();
    if (!picture.IsEmpty() && picture.ImageBytes().Size() > limits::kPictureBytes) {
        const size_t before = picture.ImageBytes().Size();
        ContactPicture fitted = Fitted(picture);
        changed.push_back(fitted.IsEmpty()
                              ? "the picture (" + Kb(before) + ") dropped: it cannot be made smaller"
                              : "the picture (" + Kb(before) +
                                    ") made smaller to fit: " + std::to_string(fitted.Width()) + " x " +
                                    std::to_string(fitted.Height()) + ", " + Kb(fitted.ImageBytes().Size()));
        contact.SetPicture(std::move(fitted));
    }
    return changed;
}
