// duplicates, merge, undo and the trash through the tool: what a merge keeps and where the
// speed-dial buttons go, an undo that puts every value back, requests that must change nothing,
// an import that merges, and the trash kept out of the list.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "InProcessTool.h"
#include "phone/speed/SpeedRegistry.h"

namespace {

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

class MergeUndo : public ::testing::Test {
protected:
    std::string Add(std::vector<std::string> fields) {
        fields.insert(fields.begin(), "add");
        const Outcome added = RunTool(fields, &device_);
        EXPECT_EQ(added.status, cli::kDone) << added.err;
        return added.out.substr(0, added.out.find('\n'));
    }
    Outcome Run(std::vector<std::string> args) { return RunTool(std::move(args), &device_); }
    // The contact's card without the lines that change with every write.
    std::string Card(const std::string& oid) {
        const Outcome exported = Run({"export", oid});
        std::string kept;
        std::istringstream lines(exported.out);
        for (std::string line; std::getline(lines, line);) {
            if (!line.starts_with("REV:")) kept += line + "\n";
        }
        return kept;
    }

    TempDevice device_;
};

TEST_F(MergeUndo, MergeKeepsEveryValueAndUndoPutsBothBack) {
    const std::string a =
        Add({"first=Anna", "last=Smith", "mobile=+1 555 123 4567", "category=Friends", "note=one"});
    const std::string b = Add({"fileas=Smith, Anna", "mobile=555 123 4567", "home-phone=555 999 0000",
                               "email=anna@example.com", "company=Acme", "category=Work", "note=two"});
    const std::string other = Add({"first=Bob", "mobile=555 222 3333"});
    SpeedRecord button;
    button.oid = std::stoul(b, nullptr, 16);
    button.index = 4;
    button.phone = u"555 999 0000";
    ASSERT_TRUE(WriteSpeedRecord(0, button));
    const std::string cardA = Card(a), cardB = Card(b);

    const Outcome duplicates = Run({"duplicates"});
    EXPECT_EQ(duplicates.status, cli::kDone);
    EXPECT_TRUE(Has(duplicates.out, "# same name: anna smith; same number: 5551234567\n" + a + "\t"))
        << duplicates.out;
    EXPECT_FALSE(Has(duplicates.out, other));

    const Outcome merged = Run({"merge", a, b});
    EXPECT_EQ(merged.status, cli::kDone) << merged.err;
    EXPECT_EQ(merged.out, a + "\n");
    const std::string show = Run({"show", a}).out;
    for (const char* value : {"555 999 0000", "anna@example.com", "Acme", "Friends, Work", "one / two"}) {
        EXPECT_TRUE(Has(show, value)) << value << " in\n" << show;
    }
    EXPECT_EQ(Run({"show", b}).status, cli::kFailed);
    EXPECT_EQ(ReadSpeedRecord(0)->oid, std::stoul(a, nullptr, 16));
    EXPECT_EQ(Run({"duplicates"}).out, "");
    EXPECT_EQ(Run({"trash", "list"}).out, b + "\tAcme\n");

    const Outcome undone = Run({"undo"});
    EXPECT_EQ(undone.status, cli::kDone) << undone.err;
    EXPECT_EQ(undone.out, "undid the merge: 1 restored, 1 changed back, 0 removed\n");
    EXPECT_EQ(Card(a), cardA);
    const std::string list = Run({"list"}).out;
    const std::string restored = list.substr(list.find("\tAcme") - 5, 5);
    EXPECT_EQ(Card(restored), cardB);
    EXPECT_EQ(ReadSpeedRecord(0)->oid, std::stoul(restored, nullptr, 16));
    EXPECT_EQ(Run({"trash", "list"}).out, "");
    EXPECT_EQ(Run({"undo"}).status, cli::kFailed);
}

// Each request fails with its reason and changes nothing.
TEST_F(MergeUndo, RequestsThatCannotBeDoneChangeNothing) {
    const std::string a = Add({"first=Anna", "mobile=5551234567"});
    const std::string b = Add({"first=Anna", "email=a@b.c"});
    const std::string gone = Add({"first=Gone"});
    ASSERT_EQ(Run({"delete", gone}).status, cli::kDone);
    const std::string before = Run({"export"}).out;
    const struct {
        std::vector<std::string> args;
        int status;
        const char* message;
    } cases[] = {
        {{"merge", a, a}, cli::kFailed, "cannot merge"},
        {{"merge", a, b, a}, cli::kFailed, "with itself"},
        {{"merge", a, gone}, cli::kFailed, "is in the trash"},
        {{"merge", a, "fffff"}, cli::kFailed, "there is no contact fffff"},
        {{"merge", a}, cli::kWrongUsage, ""},
        {{"delete", a, "fffff"}, cli::kFailed, "there is no contact fffff"},
        {{"trash", "restore", a}, cli::kFailed, "is not in the trash"},
        {{"trash", "restore"}, cli::kWrongUsage, ""},
        {{"trash", "burn"}, cli::kWrongUsage, ""},
    };
    for (const auto& c : cases) {
        const Outcome outcome = Run(c.args);
        EXPECT_EQ(outcome.status, c.status) << c.args[0] << " " << c.args[1];
        EXPECT_TRUE(Has(outcome.err, c.message)) << outcome.err;
        EXPECT_EQ(Run({"export"}).out, before) << c.args[0] << " " << c.args[1];
    }
}

// Another change since the merge: the undo says which contact and changes nothing.
TEST_F(MergeUndo, UndoAfterAnotherChangeLosesNothing) {
    const std::string a = Add({"first=Anna", "mobile=5551234567"});
    const std::string b = Add({"first=Anna", "email=a@b.c"});
    ASSERT_EQ(Run({"merge", a, b}).status, cli::kDone);
    ASSERT_EQ(Run({"update", a, "company=Later"}).status, cli::kDone);
    const std::string before = Run({"export"}).out;
    const Outcome undone = Run({"undo"});
    EXPECT_EQ(undone.status, cli::kFailed);
    EXPECT_TRUE(Has(undone.err, a + " was changed since the merge; nothing was undone")) << undone.err;
    EXPECT_EQ(Run({"export"}).out, before);
    EXPECT_EQ(Run({"trash", "list"}).out, b + "\tAnna\n");
}

// Deleted contacts leave the list, the searches and the lookup; undo and restore bring them
// back with their categories.
TEST_F(MergeUndo, TheTrashIsOutOfEveryListUntilRestored) {
    const std::string a = Add({"first=Zora", "mobile=5557654321", "category=Club"});
    const std::string b = Add({"first=Zeno"});
    ASSERT_EQ(Run({"delete", a, b}).status, cli::kDone);
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"list"}, {"search", "zora"}, {"abc", "9"}, {"lookup", "7654321"}}) {
        EXPECT_EQ(Run(args).out, "") << args[0];
    }
    EXPECT_EQ(Run({"trash", "list"}).out.size(), 2 * (a.size() + 6));
    EXPECT_EQ(Run({"undo"}).out, "undid the delete: 2 restored, 0 changed back, 0 removed\n");
    const std::string found = Run({"lookup", "7654321"}).out;
    ASSERT_FALSE(found.empty());
    EXPECT_TRUE(Has(Run({"show", found.substr(0, found.find('\t'))}).out, "Categories\tClub"));

    ASSERT_EQ(Run({"delete", found.substr(0, found.find('\t'))}).status, cli::kDone);
    const Outcome restored = Run({"trash", "restore", found.substr(0, found.find('\t'))});
    EXPECT_EQ(restored.status, cli::kDone) << restored.err;
    EXPECT_TRUE(restored.out.starts_with("restored " + found.substr(0, found.find('\t')) + " as "))
        << restored.out;
    EXPECT_EQ(Run({"search", "zora"}).out.empty(), false);
    EXPECT_EQ(Run({"trash", "empty"}).status, cli::kDone);
    EXPECT_EQ(Run({"trash", "list"}).out, "");
}

TEST_F(MergeUndo, ImportMergeAddsNothingTheSecondTime) {
    const std::string a = Add({"first=David", "last=Miller", "mobile=+1 555 341 1580"});
    const std::filesystem::path file = device_.Root().parent_path() / "cards.vcf";
    std::ofstream(file)
        << "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Miller;David;;;\r\nFN:David Miller\r\n"
           "TEL;TYPE=CELL:555 341 1580\r\nTEL;TYPE=HOME:555 111 2222\r\nEND:VCARD\r\n"
           "BEGIN:VCARD\r\nVERSION:3.0\r\nN:Newman;Nora;;;\r\nFN:Nora Newman\r\nEND:VCARD\r\n";
    EXPECT_EQ(Run({"import", "--merge", file.string()}).out, "imported 1 contacts, merged 1\n");
    EXPECT_TRUE(Has(Run({"show", a}).out, "555 111 2222"));
    const std::string after = Run({"export"}).out;
    EXPECT_EQ(Run({"import", "--merge", file.string()}).out, "imported 0 contacts, merged 2\n");
    EXPECT_EQ(Run({"export"}).out, after);
    EXPECT_EQ(Run({"import", file.string()}).out, "imported 2 contacts\n");
    EXPECT_EQ(Run({"undo"}).out, "undid the import: 0 restored, 0 changed back, 2 removed\n");
    EXPECT_EQ(Run({"export"}).out, after);
}

}  // namespace
