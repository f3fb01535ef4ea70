// The tool driven in-process: its help, arguments it cannot use, the report of work that failed
// after something was stored, and a damaged store. tests/app/cli/e2e.sh drives the built program as a user does.
#include <gtest/gtest.h>
#include <unistd.h>

#include <functional>
#include <sstream>

#include "InProcessTool.h"
#include "app/cli/Cli.h"
#include "app/cli/Session.h"
#include "categories/ringtones/BuiltinRingtones.h"
#include "platform/registry/Registry.h"
#include "store/contact/Contact.h"
#include "support/HostFiles.h"
#include "support/TempDevice.h"

namespace fs = std::filesystem;

namespace {

bool Has(const std::string& text, const std::string& part) { return text.find(part) != std::string::npos; }

const char* const kCommands[] = {
    "init",   "reg",   "show",   "format-phone", "add",    "update",     "delete",       "import",
    "export", "list",  "search", "abc",          "lookup", "categories", "category-add", "category-delete",
    "assign", "index", "watch",  "dial",         "sms",    "email",      "web",          "duplicates",
    "merge",  "undo",  "trash"};

}  // namespace

TEST(CliHelp, EveryCommandHasALineAndAHelpOfItsOwn) {
    const Outcome all = RunTool({"--help"});
    EXPECT_EQ(all.status, cli::kDone);
    for (const std::string name : kCommands) {
        bool listed = false;
        std::istringstream lines(all.out);
        for (std::string line; std::getline(lines, line);) {
            listed = listed || (line.starts_with("  " + name + " ") &&
                                line.find_first_not_of(' ', name.size() + 2) != std::string::npos);
        }
        EXPECT_TRUE(listed) << name << " in:\n" << all.out;

        const Outcome one = RunTool({name, "--help"});
        EXPECT_EQ(one.status, cli::kDone) << name;
        EXPECT_TRUE(one.out.starts_with("usage: brevane-cli " + name)) << one.out;
        EXPECT_TRUE(Has(one.out, "exit status: 0 done")) << one.out;
        EXPECT_EQ(RunTool({"--help", name}).out, one.out) << "--help before the command";
    }
    EXPECT_TRUE(Has(RunTool({"import", "--help"}).out, "3 some was skipped"));
    EXPECT_EQ(RunTool({"frobnicate", "--help"}).status, cli::kWrongUsage);
}

// Arguments that cannot be used are named with what is wrong with them, after the usage; a
// property number out of range or not hexadecimal is no field (it was cut to 16 bits, or ended
// the tool with a bare library message), and nothing is stored.
TEST(CliArguments, WhatIsWrongIsNamedAndNothingIsStored) {
    TempDevice device;
    const struct {
        std::vector<std::string> args;
        const char* reason;
    } cases[] = {
        {{"add", "nickname=Al"}, "unknown field \"nickname\""},
        {{"add", "0x10082=Anna"}, "unknown field \"0x10082\""},
        {{"add", "0xzz=Anna"}, "unknown field \"0xzz\""},
        {{"add", "last"}, "\"last\" is not FIELD=VALUE"},
        {{"add", "last=A", "birthday=1990-13-40"}, "\"1990-13-40\" is not a date"},
        {{"update", "xyz", "last=A"}, "\"xyz\" is not an OID"},
    };
    for (const auto& c : cases) {
        const Outcome run = RunTool(c.args, &device);
        EXPECT_EQ(run.status, cli::kWrongUsage) << c.reason;
        EXPECT_TRUE(run.err.starts_with("usage: brevane-cli " + c.args[0]) &&
                    Has(run.err, "\nbrevane-cli: " + std::string(c.reason)))
            << run.err;
    }
    EXPECT_EQ(RunTool({"add", "0x82=Anna"}, &device).status, cli::kDone) << "a property number in range";
    EXPECT_EQ(RunTool({"list"}, &device).out.find('\n'), RunTool({"list"}, &device).out.size() - 1) << "one contact";
}

// The index files cannot be written (a folder holds the name the save renames onto): the session
// says that the change is stored and the index is not up to date, whether the command finishes
// it or the session ends without that.
TEST(CliSession, AFailedIndexSaveIsReportedWithWhatWasStored) {
    for (const bool finishes : {true, false}) {
        TempDevice device;
        std::ostringstream out, err;
        cli::Context context{device.Root(), out, err};
        std::string reported;
        {
            cli::Session session(context);
            ASSERT_TRUE(session.Open());
            Contact contact;
            contact.SetText(kFieldLast, Str(u"Stored"));
            ASSERT_TRUE(session.Manager().AddContact(contact, true).Complete());
            session.Changed();
            const fs::path words = device.Host(u"\\pim_index1.dat");
            fs::remove(words);
            fs::create_directories(words / "blocker");
            if (finishes) {
                const Status finished = session.Finish();
                EXPECT_FALSE(finished) << "Finish reported success";
                reported = cli::MessageOf(finished);
            }
        }
        if (!finishes) reported = err.str();
        EXPECT_EQ(context.status, finishes ? cli::kDone : cli::kFailed);
        EXPECT_TRUE(Has(reported, "the changes are stored, but the index could not be brought up to date"))
            << "[" << reported << "]";
    }
}

void ZeroHeader(const fs::path& file) {
    std::fstream stream(file, std::ios::in | std::ios::out | std::ios::binary);
    stream.write(std::string(100, '\0').data(), 100);
}

// A damaged contacts store or registry is named as such by every command that opens it, with exit
// status 1, and not a byte of it changes.
TEST(CliDamagedStore, CommandsFailClearlyAndWriteNothing) {
    const auto volume = [](const TempDevice& device) { return device.Host(u"\\pim.vol"); };
    const auto registry = [](const TempDevice& device) { return plat::DeviceRegistryFile(device.Device()); };
    const struct {
        const char* damage;
        std::function<fs::path(const TempDevice&)> file;
        std::function<void(const TempDevice&, const fs::path&)> apply;
        const char* named;
    } damages[] = {
        {"zeroed store header", volume, [](const TempDevice&, const fs::path& f) { ZeroHeader(f); },
         "contacts store"},
        {"truncated store", volume, [](const TempDevice&, const fs::path& f) { fs::resize_file(f, 1000); },
         "contacts store"},
        {"foreign store", volume,
         [&](const TempDevice& device, const fs::path& f) {
             fs::copy_file(registry(device), f, fs::copy_options::overwrite_existing);
         },
         "contacts store"},
        {"zeroed registry header", registry, [](const TempDevice&, const fs::path& f) { ZeroHeader(f); },
         "registry"},
    };
    for (const auto& d : damages) {
        TempDevice device;  // new files, which no object of this process holds open
        const fs::path file = d.file(device);
        d.apply(device, file);
        const std::string bytes = ReadHostFile(file);
        for (const std::vector<std::string>& command :
             {std::vector<std::string>{"list"}, {"search", "before"}, {"add", "last=After"}}) {
            const Outcome run = RunTool(command, &device);
            EXPECT_EQ(run.status, cli::kFailed) << d.damage << ": " << command[0];
            EXPECT_TRUE(Has(run.err, d.named) && Has(run.err, "it was left as it is"))
                << d.damage << ": " << command[0] << ": " << run.err;
            EXPECT_EQ(run.out, "");
        }
        EXPECT_TRUE(ReadHostFile(file) == bytes) << d.damage << ": the file was written";
    }
}

// A new device gets the built-in ringtones; a ringtone that cannot be written makes init fail, with
// the device made all the same.
TEST(CliInit, ANewDeviceComesWithItsRingtones) {
    const fs::path base = fs::temp_directory_path() / ("brevane-init-" + std::to_string(::getpid()));
    fs::remove_all(base);
    const fs::path rings = base / "phone" / "Windows" / "Rings";
    ASSERT_EQ(RunTool({"--root", (base / "phone").string(), "init"}).status, cli::kDone);
    for (size_t index = 0; index < BuiltinRingtoneNames().size(); ++index) {
        const std::string bytes = ReadHostFile(rings / fs::path(BuiltinRingtoneNames()[index]));
        const std::vector<uint8_t> wave = BuiltinRingtoneWave(index);
        EXPECT_TRUE(bytes == std::string(wave.begin(), wave.end())) << index;
    }
    fs::remove(rings / fs::path(BuiltinRingtoneNames()[0]));
    EXPECT_EQ(RunTool({"--root", (base / "phone").string(), "init"}).status, cli::kDone);
    EXPECT_FALSE(fs::exists(rings / fs::path(BuiltinRingtoneNames()[0]))) << "an existing device is left as it is";

    fs::create_directories(base / "blocked" / "Windows");
    std::ofstream(base / "blocked" / "Windows" / "Rings") << "a file in the folder's place";
    const Outcome blocked = RunTool({"--root", (base / "blocked").string(), "init"});
    EXPECT_EQ(blocked.status, cli::kFailed);
    EXPECT_TRUE(Has(blocked.err, "ringtones")) << blocked.err;
    EXPECT_TRUE(fs::exists(base / "blocked" / "Windows" / "registry.db")) << "the device is made";
    fs::remove_all(base);
}
