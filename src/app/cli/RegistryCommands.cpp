// reg get|set|delete|dump: the device registry.
#include <cctype>
#include <charconv>
#include <cstdint>
#include <cstdio>
#include <optional>

#include "app/cli/Cli.h"
#include "platform/registry/Registry.h"
#include "platform/text/Escape.h"
#include "platform/text/Utf.h"

namespace cli {

namespace {

using plat::Hive;
using plat::RegValue;

constexpr const char* kUsage =
    "reg get KEY NAME | reg set KEY NAME dword|sz|binary VALUE | reg delete KEY [NAME] | reg dump [KEY]";

struct KeyArg {
    Hive hive;
    std::string prefix;  // "HKCU" or "HKLM", as dump prints it
    std::u16string path;  // below the hive
};

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
    if (text.size() < prefix.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (std::toupper(static_cast<unsigned char>(text[i])) != prefix[i]) return false;
    }
    return true;
}

// "HKCU\\Software\\..." or "HKLM\\..." (the long hive names are taken too).
KeyArg ParseKey(const std::string& text) {
    const struct {
        const char* name;
        Hive hive;
        const char* prefix;
    } hives[] = {{"HKCU", Hive::CurrentUser, "HKCU"},
                 {"HKEY_CURRENT_USER", Hive::CurrentUser, "HKCU"},
                 {"HKLM", Hive::LocalMachine, "HKLM"},
                 {"HKEY_LOCAL_MACHINE", Hive::LocalMachine, "HKLM"}};
    for (const auto& h : hives) {
        const std::string_view name = h.name;
        if (!StartsWithNoCase(text, name)) continue;
        const std::string_view rest = std::string_view(text).substr(name.size());
        if (rest.empty() || rest.front() == '\\') return {h.hive, h.prefix, plat::FromUtf8(rest)};
    }
    throw UsageError(kUsage);
}

std::string KeyText(const KeyArg& key) {
    std::string path = plat::ToUtf8(key.path);
    while (!path.empty() && path.front() == '\\') path.erase(path.begin());
    while (!path.empty() && path.back() == '\\') path.pop_back();
    return path.empty() ? key.prefix : key.prefix + "\\" + path;
}

std::string Hex(const std::vector<uint8_t>& bytes) {
    std::string text;
    char digits[3];
    for (const uint8_t byte : bytes) {
        std::snprintf(digits, sizeof digits, "%02x", byte);
        text += digits;
    }
    return text;
}

std::optional<std::vector<uint8_t>> ParseHex(std::string_view text) {
    if (text.size() % 2 != 0) return std::nullopt;
    std::vector<uint8_t> bytes;
    for (size_t i = 0; i < text.size(); i += 2) {
        uint8_t byte = 0;
        const auto [end, error] = std::from_chars(text.data() + i, text.data() + i + 2, byte, 16);
        if (error != std::errc() || end != text.data() + i + 2) return std::nullopt;
        bytes.push_back(byte);
    }
    return bytes;
}

// A decimal number from -2147483648 to 4294967295 (negative numbers as their 32-bit two's
// complement, as a DWORD of -1 is stored).
std::optional<uint32_t> ParseDword(std::string_view text) {
    int64_t number = 0;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), number);
    if (text.empty() || error != std::errc() || end != text.data() + text.size()) return std::nullopt;
    if (number < INT32_MIN || number > UINT32_MAX) return std::nullopt;
    return static_cast<uint32_t>(number);
}

RegValue ParseValue(const std::string& type, const std::string& text) {
    std::optional<RegValue> value;
    if (type == "dword") {
        if (const auto number = ParseDword(text)) value = RegValue::Dword(*number);
    } else if (type == "sz") {
        value = RegValue::String(plat::FromUtf8(text));
    } else if (type == "binary") {
        if (auto bytes = ParseHex(text)) value = RegValue::Binary(std::move(*bytes));
    }
    if (!value) throw UsageError(kUsage);
    return *value;
}

std::string TypeName(const RegValue& value) {
    switch (value.type) {
        case plat::REG_DWORD: return "dword";
        case plat::REG_SZ: return "sz";
        case plat::REG_BINARY: return "binary";
        default: return std::to_string(value.type);
    }
}

Result<plat::Registry*> OpenRegistry(const Context& context) {
    if (Status device = OpenDevice(context); !device) return device;
    return &plat::DeviceRegistry();
}

// A dword in decimal, a string as it is, anything else (or a malformed dword) in hex.
std::string ValueText(const RegValue& value) {
    if (const auto number = value.AsDword()) return std::to_string(*number);
    if (const auto text = value.AsString()) return plat::ToUtf8(*text);
    return Hex(value.data);
}

Status Get(Context& context, const Args& args) {
    if (args.size() != 2) throw UsageError(kUsage);
    const KeyArg key = ParseKey(args[0]);
    const Result<plat::Registry*> registry = OpenRegistry(context);
    if (!registry) return registry.GetStatus();
    const auto value = registry.Value()->GetValue(key.hive, key.path, plat::FromUtf8(args[1]));
    if (!value) return Fail("no value \"" + args[1] + "\" under " + KeyText(key));
    context.out << ValueText(*value) << "\n";
    return Status::Ok();
}

Status Set(Context& context, const Args& args) {
    if (args.size() != 4) throw UsageError(kUsage);
    const KeyArg key = ParseKey(args[0]);
    const RegValue value = ParseValue(args[2], args[3]);
    const Result<plat::Registry*> registry = OpenRegistry(context);
    if (!registry) return registry.GetStatus();
    if (!registry.Value()->SetValue(key.hive, key.path, plat::FromUtf8(args[1]), value)) {
        return Fail("cannot write \"" + args[1] + "\" under " + KeyText(key));
    }
    return Status::Ok();
}

Status Delete(Context& context, const Args& args) {
    if (args.empty() || args.size() > 2) throw UsageError(kUsage);
    const KeyArg key = ParseKey(args[0]);
    const Result<plat::Registry*> opened = OpenRegistry(context);
    if (!opened) return opened.GetStatus();
    plat::Registry& registry = *opened.Value();
    if (args.size() == 2 && !registry.DeleteValue(key.hive, key.path, plat::FromUtf8(args[1]))) {
        return Fail("no value \"" + args[1] + "\" under " + KeyText(key));
    }
    if (args.size() == 1 && !registry.DeleteKey(key.hive, key.path)) {
        return Fail("no key " + KeyText(key) + " to delete");
    }
    return Status::Ok();
}

// Prints a key's values, then its subkeys' in name order, one line a value.
void DumpKey(std::ostream& out, plat::Registry& registry, const KeyArg& key) {
    const std::string keyText = KeyText(key);
    for (const auto& [name, value] : registry.Values(key.hive, key.path)) {
        const std::string valueText = plat::EscapeControls(ValueText(value));
        out << keyText << '\t' << plat::EscapeControls(plat::ToUtf8(name)) << '\t' << TypeName(value) << '\t'
            << valueText << '\n';
    }
    for (const std::u16string& sub : registry.SubKeys(key.hive, key.path)) {
        DumpKey(out, registry, {key.hive, key.prefix, key.path + u"\\" + sub});
    }
}

Status Dump(Context& context, const Args& args) {
    if (args.size() > 1) throw UsageError(kUsage);
    const std::vector<KeyArg> keys =
        args.empty() ? std::vector<KeyArg>{ParseKey("HKCU"), ParseKey("HKLM")} : std::vector<KeyArg>{ParseKey(args[0])};
    const Result<plat::Registry*> opened = OpenRegistry(context);
    if (!opened) return opened.GetStatus();
    plat::Registry& registry = *opened.Value();
    for (const KeyArg& key : keys) {
        if (!registry.KeyExists(key.hive, key.path)) return Fail("no key " + KeyText(key));
        DumpKey(context.out, registry, key);
    }
    return Status::Ok();
}

Status Reg(Context& context, const Args& args) {
    const struct {
        const char* name;
        Status (*run)(Context&, const Args&);
    } subcommands[] = {{"get", Get}, {"set", Set}, {"delete", Delete}, {"dump", Dump}};
    if (args.empty()) throw UsageError(kUsage);
    for (const auto& sub : subcommands) {
        if (args[0] == sub.name) return sub.run(context, Args(args.begin() + 1, args.end()));
    }
    throw UsageError(kUsage);
}

}  // namespace

void AddRegistryCommands(CommandTable& table) {
    table.push_back(
        {"reg", kUsage + 4, "reads and writes the device registry",
         "KEY    starts with HKCU\\ or HKLM\\\n"
         "get    prints the value alone (a dword in decimal, a string as it is, a binary in hex)\n"
         "set    writes a value; a binary VALUE is hex\n"
         "delete deletes a value, or the key with its subkeys when no NAME is given\n"
         "dump   prints KEY<TAB>NAME<TAB>TYPE<TAB>VALUE lines",
         "", Reg});
}

}  // namespace cli
