// show and format-phone: a contact as the view pane shows it, numbers as the list shows them.
#include <string>

#include "app/cli/Cli.h"
#include "app/cli/ContactFields.h"
#include "categories/manager/CategoryManager.h"
#include "core/res/ResourceStrings.h"
#include "phone/templates/PhoneTemplates.h"
#include "store/contact/Contact.h"
#include "store/db/CeDBDatabase.h"
#include "store/db/DbNames.h"
#include "view/address/AddressFormatTable.h"
#include "view/markup/Markup.h"
#include "view/pane/ContactViewModel.h"
#include "view/template/ContactTemplate.h"

namespace cli {

namespace {

constexpr uint32_t kStrNote = 40238;

// A text on one output line: line breaks (CR LF, LF or CR) written as " / ".
std::string Flatten(const Str& text) {
    const std::string utf8 = text.ToUtf8();
    std::string out;
    for (size_t i = 0; i < utf8.size(); ++i) {
        if (utf8[i] == '\r' && i + 1 < utf8.size() && utf8[i + 1] == '\n') continue;
        if (utf8[i] == '\n' || utf8[i] == '\r') {
            out += " / ";
        } else {
            out += utf8[i];
        }
    }
    return out;
}

// A view text on one output line, without its markup.
std::string OneLine(const Str& marked) { return Flatten(StripMarkup(marked.View())); }

bool ReadContact(uint32_t oid, Contact& contact) {
    CCeDBDatabase contacts;
    CCeDBRecord record;
    if (!contacts.Open(kContactsDbName) || !contacts.SeekToRecord(oid) || contacts.Read(record) == 0) return false;
    contact.LoadFromRecord(record);
    contact.SetOid(oid);
    return true;
}

ContactTemplate LoadTemplate() {
    ContactTemplate tpl;
    if (!tpl.Load(TemplateFilePath())) tpl.ResetToDefaults();
    return tpl;
}

Status Show(Context& context, const Args& args) {
    if (args.size() != 1) throw UsageError("");
    const uint32_t oid = ParseOid(args[0]);
    if (Status device = OpenDevice(context); !device) return device;
    Contact contact;
    if (!ReadContact(oid, contact)) return Fail("no contact " + args[0]);
    Array<Str> categories;
    CategoryManager* manager = CategoryManager::Instance();
    if (manager != nullptr && !manager->GetContactCategoryNames(contact, categories))
        return Fail("cannot read the categories of " + args[0]);
    PhoneTemplates formats;
    formats.Load();
    formats.FormatContact(contact);
    ContactViewModel model;
    model.Build(contact, LoadTemplate(), AddressFormatTable::Instance(), categories);
    context.out << "Name\t" << OneLine(model.Heading()) << "\n";
    for (const ViewLine& line : model.Lines()) {
        context.out << line.label.ToUtf8() << "\t" << OneLine(line.text) << "\n";
    }
    if (!model.Note().IsEmpty()) {
        context.out << RequireStr(kStrNote).ToUtf8() << "\t" << Flatten(contact.GetNoteText()) << "\n";
    }
    return Status::Ok();
}

Status FormatPhone(Context& context, const Args& args) {
    if (args.empty()) throw UsageError("");
    if (Status device = OpenDevice(context); !device) return device;
    PhoneTemplates formats;
    formats.Load();
    for (const std::string& number : args) {
        Str shown = Str::FromUtf8(number);
        shown = formats.Formatted(shown);
        context.out << shown.ToUtf8() << "\n";
    }
    return Status::Ok();
}

}  // namespace

void AddViewCommands(CommandTable& table) {
    table.push_back({"show", "OID", "prints a contact as the view pane shows it",
                     "OID  the contact; prints Name<TAB>heading, then Label<TAB>text lines", "", Show});
    table.push_back({"format-phone", "NUMBER...", "prints each number as the list shows it",
                     "NUMBER  a phone number; one line each", "", FormatPhone});
}

}  // namespace cli
