// Opens arbitrary bytes as pim_index1.dat with the word index and, when it accepts them,
// searches both trees, lists both orders and removes contacts: once the records' check has
// passed, nothing the index does may read or write outside the image or loop for ever.
//
// Input: byte 0 chooses the form (odd: the rest is an image that gets its length word and
// checksum here, so the records' check is reached; even: the rest is the file as is), bytes 1 to
// 8 choose the searches and removals, the rest is the image or file.
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "FuzzDevice.h"
#include "index/alphabet/AbcGroupTable.h"
#include "index/words/WordIndex.h"

namespace {

constexpr size_t kOpsBytes = 8;

void Exercise(WordIndex& index, const uint8_t* ops) {
    for (size_t i = 0; i < kOpsBytes; ++i) {
        const std::u16string query(1 + ops[i] % 3, static_cast<char16_t>(u'a' + ops[i] % 5));
        index.Search(query, IndexOrder::Name, nullptr, i % 2 == 0 ? SearchTree::Text : SearchTree::Group);
    }
    const OidVector all = index.ListAll(IndexOrder::FileAs, nullptr);
    index.ListAll(IndexOrder::Name, &all);
    for (size_t i = 0; i < kOpsBytes && !all.empty(); ++i) {
        // Any outcome will do (a damaged image may refuse the removal); what it touches is the test.
        [[maybe_unused]] const IndexChange removed = index.RemoveContact(all[ops[i] % all.size()]);
    }
    index.Search(u"a", IndexOrder::Name, nullptr, SearchTree::Text);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 1 + kOpsBytes) return 0;
    const uint8_t* body = data + 1 + kOpsBytes;
    const size_t bodySize = size - 1 - kOpsBytes;
    WriteDeviceFile("pim_index1.dat",
                    (data[0] & 1) ? SealedFile(body, bodySize) : std::vector<uint8_t>(body, body + bodySize));
    static const AbcGroupTable groups;
    WordIndex index(groups, u"\\pim_index1.dat");
    if (index.Open()) Exercise(index, data + 1);
    return 0;
}
