#include "view/pane/ContactViewModel.h"

#include "categories/manager/CategoryManager.h"
#include "core/res/ResourceStrings.h"
#include "store/contact/Contact.h"
#include "view/address/AddressFormatTable.h"
#include "view/markup/Markup.h"
#include "view/pane/FileTimeDate.h"
#include "view/template/ContactTemplate.h"
#include "view/template/TemplateContent.h"

namespace {

Str Bold(const Str& text) { return u"<B>" + text + u"</B>"; }

// Appends `part` after `separator`, or alone while `text` is empty.
void AppendAfter(Str& text, const char16_t* separator, const Str& part) {
    if (!text.IsEmpty()) text += separator;
    text += part;
}

// The file name of a stored path: what follows its last backslash.
Str FileNameOf(const Str& path) { return path.Mid(path.ReverseFind(u'\\') + 1); }

}  // namespace

void ContactViewModel::Build(const Contact& contact, const ContactTemplate& tpl,
                             const AddressFormatTable& formats, const Array<Str>& categoryNames) {
    lines_.RemoveAll();
    bag_.Fill(contact);
    const bool companyOnly = BuildHeading(tpl);
    if (!contact.GetPicture().IsEmpty()) {
        picture_ = HeadingPicture::Own;
    } else if (companyOnly) {
        picture_ = HeadingPicture::Company;
    } else {
        picture_ = contact.GetFlag102() ? HeadingPicture::OtherPerson : HeadingPicture::Person;
    }
    for (int group = 1; group < kTemplateGroupCount; ++group) {
        AddGroup(group, contact, tpl, formats, categoryNames);
    }
    bag_.Clear();
    note_ = contact.GetNote();
}

// Bold name, blank, job title, line break, company, blank, department. Without a name the
// company is bold. File As is not shown.
bool ContactViewModel::BuildHeading(const ContactTemplate& tpl) {
    heading_.Empty();
    const TemplateGroup& names = *tpl.Group(kGroupName);
    Str name;
    bool hasCompany = false;
    for (int entry = kNameTitle; entry <= kNameDepartment; ++entry) {
        const std::optional<BagValue> value = bag_.Take(kBagNameParts, names.names[entry]);
        const Str text = value ? value->text : Str();
        if (entry <= kNameSuffix) {
            if (!text.IsEmpty()) AppendAfter(name, u" ", text);
            continue;
        }
        if (entry == kNameJobTitle && !name.IsEmpty()) heading_ = Bold(name);
        if (text.IsEmpty()) continue;
        if (entry == kNameCompany) {
            hasCompany = true;
            AppendAfter(heading_, u"\n", name.IsEmpty() ? Bold(text) : text);
        } else {
            AppendAfter(heading_, u" ", text);
        }
    }
    return hasCompany && name.IsEmpty();
}

void ContactViewModel::AddGroup(int group, const Contact& contact, const ContactTemplate& tpl,
                                const AddressFormatTable& formats, const Array<Str>& categoryNames) {
    const TemplateGroup& entries = *tpl.Group(group);
    if (group == kGroupOffice) {
        const Str& office = contact.GetText(kFieldOffice);
        if (!office.IsEmpty()) AddLine(group, tpl.LabelOf(group, entries.names[0]), office);
        return;
    }
    if (group == kGroupCategories) {
        if (!categoryNames.IsEmpty()) AddLine(group, RequireStr(kStrCategories), CategoryManager::JoinNames(categoryNames));
        return;
    }
    const int list = ContactFieldBag::ListOfGroup(group);
    for (int entry : entries.order) {
        if (entry < 0 || entry >= entries.names.GetSize()) continue;
        const Str& name = entries.names[entry];
        while (const std::optional<BagValue> value = bag_.Take(list, name)) {
            AddValue(group, tpl.LabelOf(group, name), *value, formats);
        }
    }
    for (const BagValue& value : bag_.List(list)) AddValue(group, tpl.LabelOf(group, value.name), value, formats);
    bag_.List(list).RemoveAll();
}

void ContactViewModel::AddValue(int group, const Str& label, const BagValue& value,
                                const AddressFormatTable& formats) {
    switch (group) {
    case kGroupEmail:
        AddLine(group, label, u"<#004080><I>" + value.text + u"</I></#>");
        break;
    case kGroupMessaging:
        AddLine(group, label, value.text + u" " + Bold(value.msgType));
        break;
    case kGroupWeb:
        AddLine(group, label, u"<I>" + value.text + u"</I>");
        break;
    case kGroupAddress:
        if (const std::optional<Str> line = formats.WriteLine(value.parts, value.format)) AddLine(group, label, *line);
        break;
    case kGroupDates:
        if (const Str date = ShortDateOfFileTime(value.date); !date.IsEmpty()) AddLine(group, label, date);
        break;
    case kGroupLinks:
        AddLine(group, label, FileNameOf(value.text), value.text);
        break;
    default:
        AddLine(group, label, value.text);
        break;
    }
}

void ContactViewModel::AddLine(int group, const Str& label, const Str& text, const Str& link) {
    lines_.Add({label, text, link, group});
}

Str TargetOf(const ViewLine& line) { return line.link.IsEmpty() ? StripMarkup(line.text.View()) : line.link; }

bool ContactViewModel::GapAfter(int index) const {
    if (index < 0 || index >= lines_.GetSize()) return false;
    return index + 1 == lines_.GetSize() || lines_[index + 1].group != lines_[index].group;
}
