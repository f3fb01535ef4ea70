#pragma once
// ContactViewModel: what the view pane shows of one contact: a heading (marked-up name, job and
// company, with a picture) and labelled lines in the groups, order and labels of the template,
// then the note. The template decides order, grouping and labels, never whether a value
// appears: values the template does not list follow its own lines, under their own labels.
#include "core/array/Array.h"
#include "core/str/Str.h"
#include "store/contact/ByteBlock.h"
#include "view/pane/ContactFieldBag.h"

class AddressFormatTable;
class Contact;
class ContactTemplate;

// One line of the pane.
struct ViewLine {
    Str label;  // the template's label of the value's name (a further value's own label)
    Str text;   // the value as marked-up text
    Str link;   // links: the full stored path; empty otherwise
    int group = 0;  // the template group (1 to 11)
};

// What activating the line acts on: its link when it has one, else its text without markup.
Str TargetOf(const ViewLine& line);

// The picture in front of the heading.
enum class HeadingPicture {
    Own,      // the contact's own picture
    Company,  // a company without a person's name
    Person,
    OtherPerson,  // the person image of contacts flagged by the platform (property 0x102)
};

class ContactViewModel {
public:
    // Rebuilds the model for `contact`. `categoryNames` are the names of the contact's
    // categories, in its order.
    void Build(const Contact& contact, const ContactTemplate& tpl, const AddressFormatTable& formats,
               const Array<Str>& categoryNames);

    const Str& Heading() const { return heading_; }
    HeadingPicture Picture() const { return picture_; }
    const Array<ViewLine>& Lines() const { return lines_; }
    // Whether a gap follows line `index`: after the last line of each group.
    [[nodiscard]] bool GapAfter(int index) const;
    // The contact's note, shown last when it is not empty.
    const ByteBlock& Note() const { return note_; }

    // The gap in pixels at a vertical resolution of `dpiY`: 8 at 96 dots per inch.
    static int GapPixels(int dpiY) { return ((dpiY + 6) * 8) / 96; }

private:
    // Builds the heading; returns whether it shows a company without a person's name.
    [[nodiscard]] bool BuildHeading(const ContactTemplate& tpl);
    void AddGroup(int group, const Contact& contact, const ContactTemplate& tpl,
                  const AddressFormatTable& formats, const Array<Str>& categoryNames);
    void AddValue(int group, const Str& label, const BagValue& value, const AddressFormatTable& formats);
    void AddLine(int group, const Str& label, const Str& text, const Str& link = Str());

    ContactFieldBag bag_;
    Str heading_;
    HeadingPicture picture_ = HeadingPicture::Person;
    Array<ViewLine> lines_;
    ByteBlock note_;
};
