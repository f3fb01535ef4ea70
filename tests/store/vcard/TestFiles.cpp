#include "TestFiles.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>

std::string DataFile(std::string_view name) {
    const auto path = std::filesystem::path(__FILE__).parent_path() / "data" / name;
    std::ifstream in(path, std::ios::binary);
    EXPECT_TRUE(in) << path;
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

std::vector<ImportedContact> ImportOk(std::string_view bytes) {
    std::vector<ImportedContact> contacts;
    const ReadStatus status = ImportContacts(bytes, contacts);
    EXPECT_TRUE(status.ok()) << status.ToString();
    return contacts;
}

std::string ImportError(std::string_view bytes) {
    std::vector<ImportedContact> contacts;
    const ReadStatus status = ImportContacts(bytes, contacts);
    if (!status.ok()) {
        EXPECT_TRUE(contacts.empty());
    }
    return status.ToString();
}
