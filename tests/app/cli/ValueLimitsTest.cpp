// Oversized values imported through the tool: each is cut, scaled, dropped or refused as the
// store's limits say (docs/vcard.md), named on standard error, and the import ends with status 3
// having stored the rest.
#include <gtest/gtest.h>

#include <random>

#include "InProcessTool.h"
#include "app/cli/Cli.h"
#include "platform/imaging/Imaging.h"
#include "store/contact/ValueLimits.h"
#include "support/HostFiles.h"
#include "support/TempDevice.h"

namespace fs = std::filesystem;

namespace {

std::string Base64(const std::vector<uint8_t>& bytes) {
    static const char* const kDigits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    for (size_t i = 0; i < bytes.size(); i += 3) {
        const uint32_t n = (uint32_t{bytes[i]} << 16) |
                           (i + 1 < bytes.size() ? uint32_t{bytes[i + 1]} << 8 : 0) |
                           (i + 2 < bytes.size() ? bytes[i + 2] : 0);
        text += kDigits[n >> 18];
        text += kDigits[(n >> 12) & 63];
        text += i + 1 < bytes.size() ? kDigits[(n >> 6) & 63] : '=';
        text += i + 2 < bytes.size() ? kDigits[n & 63] : '=';
    }
    return text;
}

// A PNG of noise, which does not compress: over the picture limit.
std::vector<uint8_t> LargePicture() {
    plat::RgbBitmap bitmap{1000, 1000, std::vector<uint8_t>(3000000)};
    std::mt19937 random(7);
    for (uint8_t& byte : bitmap.rgb) byte = static_cast<uint8_t>(random());
    return *plat::EncodeImage(bitmap, plat::ImageFormat::Png);
}

std::string Card(const std::string& name, const std::string& extra) {
    return "BEGIN:VCARD\r\nVERSION:3.0\r\nN:" + name + ";Ann;;;\r\n" + extra + "END:VCARD\r\n";
}

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

}  // namespace

TEST(ValueLimits, EachOversizedValueIsNamedAndTheRestStored) {
    const std::vector<uint8_t> picture = LargePicture();
    ASSERT_GT(picture.size(), limits::kPictureBytes);
    const std::string longText(100 * 1024, 'w');
    const struct {
        const char* what;
        const char* file;
        std::string content;
        const char* named;  // in the message on standard error
        size_t imported;
    } cases[] = {
        {"a long note", "note.vcf", Card("Note", "NOTE:" + std::string(600 * 1024, 'n') + "\r\n"), "note cut",
         1},
        {"a long text", "text.vcf", Card("Text", "ORG:" + longText + "\r\n"), "cut to 64 KB", 1},
        {"a picture that does not decode", "bad.vcf",
         Card("Bad", "PHOTO;ENCODING=b;TYPE=JPEG:" + Base64(std::vector<uint8_t>(300 * 1024, 7)) + "\r\n"),
         "PHOTO (300 KB) that is not a picture", 1},
        {"a large picture", "big.vcf", Card("Big", "PHOTO;ENCODING=b;TYPE=PNG:" + Base64(picture) + "\r\n"),
         "made smaller to fit", 1},
        {"a card over 8 MB", "card.vcf",
         Card("Huge", "NOTE:" + std::string(9 * 1024 * 1024, 'h') + "\r\n") + Card("Small", ""),
         "larger than 8 MB", 1},
        {"a CSV line over 8 MB", "line.csv",
         "Last Name,First Name,Notes\r\nLong,Ann," + std::string(9 * 1024 * 1024, 'l') +
             "\r\nShort,Ann,x\r\n",
         "longer than 8 MB", 1},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        TempDevice device(TempDevice::Options{.phone = false});
        ASSERT_EQ(RunTool({"init"}, &device).status, 0);
        const fs::path file = device.Root() / c.file;
        WriteHostText(file, c.content);
        const Outcome run = RunTool({"import", file.string()}, &device);
        EXPECT_EQ(run.status, cli::kDoneWithSkips) << run.err;
        EXPECT_TRUE(Has(run.err, c.named)) << run.err;
        EXPECT_TRUE(Has(run.out, "imported " + std::to_string(c.imported))) << run.out;
        // What was stored is within the limits: no exported card is near the size of what came in.
        const Outcome exported = RunTool({"export"}, &device);
        EXPECT_EQ(exported.status, 0);
        EXPECT_LT(exported.out.size(), limits::kPictureBytes * 4 / 3 + 64 * 1024) << c.what;
    }

    // A table of more columns than kept: the columns after the 1,000th are left out, once.
    TempDevice device(TempDevice::Options{.phone = false});
    ASSERT_EQ(RunTool({"init"}, &device).status, 0);
    std::string header = "Last Name,First Name", row = "Wide,Ann";
    for (int i = 0; i < 1200; ++i) {
        header += ",Extra " + std::to_string(i);
        row += ",v";
    }
    const fs::path file = device.Root() / "wide.csv";
    WriteHostText(file, header + "\r\n" + row + "\r\n");
    const Outcome run = RunTool({"import", file.string()}, &device);
    EXPECT_EQ(run.status, cli::kDoneWithSkips) << run.err;
    EXPECT_TRUE(Has(run.err, "columns skipped")) << run.err;
    EXPECT_TRUE(Has(run.out, "imported 1")) << run.out;

    // The tool's add passes the same limits.
    const Outcome added = RunTool({"add", "last=Added", "company=" + longText}, &device);
    EXPECT_EQ(added.status, cli::kDoneWithSkips) << added.err;
    EXPECT_TRUE(Has(added.err, "cut to 64 KB")) << added.err;
}
