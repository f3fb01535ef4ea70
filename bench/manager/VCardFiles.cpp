#include "VCardFiles.h"

#include <stdlib.h>

#include <cstdlib>
#include <fstream>
#include <map>
#include <string>

#include "app/cli/DemoContacts.h"
#include "store/vcard/ContactTransfer.h"

namespace fs = std::filesystem;

namespace {

class RunFolder {
public:
    RunFolder() {
        std::string pattern = (fs::temp_directory_path() / "brevane-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) std::abort();
        path_ = pattern;
    }
    ~RunFolder() {
        std::error_code ec;
        fs::remove_all(path_, ec);
    }
    const fs::path& Path() const { return path_; }

private:
    fs::path path_;
};

RunFolder& Run() {
    static RunFolder folder;
    return folder;
}

}  // namespace

fs::path NewFolder() {
    static int made = 0;
    const fs::path folder = Run().Path() / std::to_string(++made);
    fs::create_directory(folder);
    return folder;
}

const fs::path& VCardFile(int count) {
    static std::map<int, fs::path> files;
    fs::path& file = files[count];
    if (!file.empty()) return file;
    file = Run().Path() / ("contacts-" + std::to_string(count) + ".vcf");
    std::ofstream out(file, std::ios::binary);
    for (const DemoContact& demo : DemoContacts::Generate(count)) out << ExportContact(demo.contact, demo.categories);
    if (!out.flush()) std::abort();
    return file;
}
