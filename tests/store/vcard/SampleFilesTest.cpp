#include <gtest/gtest.h>

#include "TestFiles.h"

// Damaged cards and tables are refused by their readers' own tests; here the import tells a file
// that is neither kind, or empty, from those.
TEST(SampleFiles, ForeignAndEmptyFilesAreRefused) {
    EXPECT_EQ(ImportError(DataFile("not_contacts.txt")),
              "line 1: neither a vCard (no BEGIN:VCARD) nor a contacts table (no known column in the header)");
    EXPECT_EQ(ImportError(DataFile("broken_missing_end.vcf")), "line 6: BEGIN:VCARD without END:VCARD");
    EXPECT_EQ(ImportError(""), "line 1: the file is empty");
    EXPECT_EQ(ImportError("\r\n \r\n"), "line 1: the file is empty");
}
