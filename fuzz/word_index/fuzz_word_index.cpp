// Opens arbitrary bytes as pim_index1.dat with the word index and, when it accepts them,
// searches both trees, lists both orders and removes contacts: once the records' check has
// passed, nothing the index does may read or write outside the image or loop for ever.
//
// Input: byte 0 chooses the form (odd: the rest is an image that gets its length word and
// checksum here, so the records' check is reached; even: the rest is the file as is), bytes 1 to
// 8 choose the searches and removals, the rest is the image or file.
#include <stdlib.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>
#include <vector>

#include "index/alphabet/AbcGroupTable.h"
#include "index/format/IndexFormat.h"
#include "index/mapped/FileSeal.h"
#include "index/words/WordIndex.h"
#include "platform/device/Device.h"

namespace {

constexpr size_t kOpsBytes = 8;

const std::filesystem::path& DeviceRoot() {
    static const std::filesystem::path root = [] {
        char pattern[] = "/tmp/brevane-fuzz-XXXXXX";
        if (mkdtemp(pattern) == nullptr) abort();
        plat::SetCurrentDevice(std::make_unique<plat::Device>(pattern));
        return std::filesystem::path(pattern);
    }();
    return root;
}

// The input as an image (padded to whole words) sealed into its file.
std::vector<uint8_t> Sealed(const uint8_t* data, size_t size) {
    std::vector<uint8_t> image(data, data + size);
    image.resize(std::max<size_t>((size + 3) / 4 * 4, IndexFormat::kMinImageBytes), 0);
    return SealImage(image);
}

void Exercise(WordIndex& index, const uint8_t* ops) {
    for (size_t i = 0; i < kOpsBytes; ++i) {
        const std::u16string query(1 + ops[i] % 3, static_cast<char16_t>(u'a' + ops[i] % 5));
        index.Search(query, IndexOrder::Name, nullptr, i % 2 == 0 ? SearchTree::Text : SearchTree::Group);
    }
    const OidVector all = index.ListAll(IndexOrder::FileAs, nullptr);
    index.ListAll(IndexOrder::Name, &all);
    for (size_t i = 0; i < kOpsBytes && !all.empty(); ++i) index.RemoveContact(all[ops[i] % all.size()]);
    index.Search(u"a", IndexOrder::Name, nullptr, SearchTree::Text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1 + kOpsBytes) return 0;
    const std::filesystem::path file = DeviceRoot() / "pim_index1.dat";
    const uint8_t* body = data + 1 + kOpsBytes;
    const size_t bodySize = size - 1 - kOpsBytes;
    const std::vector<uint8_t> bytes =
        (data[0] & 1) ? Sealed(body, bodySize) : std::vector<uint8_t>(body, body + bodySize);
    std::ofstream(file, std::ios::binary | std::ios::trunc)
        .write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
    static const AbcGroupTable groups;
    WordIndex index(groups, u"\\pim_index1.dat");
    if (index.Open()) Exercise(index, data + 1);
    return 0;
}
