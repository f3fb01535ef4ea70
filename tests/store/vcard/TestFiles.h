#pragma once
// Helpers of the import and export tests: the sample files of data/ and short ways to import.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <string_view>
#include <vector>

#include "store/vcard/ContactTransfer.h"

// The folder of the sample files.
inline std::filesystem::path DataFolder() {
    return std::filesystem::path(BREVANE_SOURCE_DIR) / "tests/store/vcard/data";
}

// The bytes of data/<name>.
inline std::string DataFile(std::string_view name) {
    const auto path = DataFolder() / name;
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << path;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// The skips of an import as their texts ("line 4: reason (property skipped)").
inline std::vector<std::string> SkipTexts(const std::vector<ReadSkip>& skipped) {
    std::vector<std::string> texts;
    for (const ReadSkip& skip : skipped) texts.push_back(skip.ToString());
    return texts;
}

// Imports `bytes`, failing the test when the import fails or leaves anything out.
inline std::vector<ImportedContact> ImportOk(std::string_view bytes) {
    std::vector<ImportedContact> contacts;
    std::vector<ReadSkip> skipped;
    const ReadStatus status = ImportContacts(bytes, contacts, skipped);
    EXPECT_TRUE(status.ok()) << status.ToString();
    EXPECT_EQ(SkipTexts(skipped), std::vector<std::string>());
    return contacts;
}

// The status text of importing `bytes` ("ok" or "line N: reason").
inline std::string ImportError(std::string_view bytes) {
    std::vector<ImportedContact> contacts;
    std::vector<ReadSkip> skipped;
    const ReadStatus status = ImportContacts(bytes, contacts, skipped);
    if (!status.ok()) {
        EXPECT_TRUE(contacts.empty());
    }
    return status.ToString();
}

// The one contact of a card made of `body` (content lines ended by "\r\n").
inline Contact CardContact(const std::string& body, const std::string& version = "3.0") {
    const auto contacts =
        ImportOk("BEGIN:VCARD\r\nVERSION:" + version + "\r\n" + body + "END:VCARD\r\n");
    EXPECT_EQ(contacts.size(), 1u);
    return contacts.empty() ? Contact() : contacts[0].contact;
}

// Each listed text field holds its text and every other text field is empty.
inline void ExpectFields(const Contact& contact, const std::vector<std::pair<int, std::u16string>>& fields) {
    for (int field = 0; field < kTextFieldCount; ++field) {
        std::u16string expected;
        for (const auto& [listed, text] : fields) {
            if (listed == field) expected = text;
        }
        EXPECT_EQ(contact.GetText(field).ToUtf8(), Str(expected).ToUtf8()) << "field " << field;
    }
}

using PairList = std::vector<std::pair<std::u16string, std::u16string>>;

// A list of further values as (label, value) pairs.
inline PairList Pairs(const Array<CustText>& list) {
    PairList pairs;
    for (const CustText& entry : list) {
        pairs.emplace_back(std::u16string(entry.label.View()), std::u16string(entry.value.View()));
    }
    return pairs;
}
