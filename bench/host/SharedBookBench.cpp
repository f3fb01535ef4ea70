// What a changed contact costs the shared address book at 100,000 contacts, per contact:
//   SharedBook/Card      the contact's vCard file written whole (temporary file, rename) into a
//                        folder holding the other 99,999
//   SharedBook/CardTable the same, and the numbers table of all 100,000 contacts written whole
//                        (on hosts that keep one; a batch of changes writes it once)
// Reading the contact from the store comes before either and is measured with the manager.
#include <benchmark/benchmark.h>
#include <unistd.h>

#include <filesystem>
#include <optional>
#include <string>

#include "host/share/SharedBook.h"

namespace {

constexpr uint32_t kContacts = 100000;

std::u16string Digits(uint32_t n) {
    const std::string text = std::to_string(n);
    return std::u16string(text.begin(), text.end());
}

VCard CardOf(uint32_t n) {
    VCard card;
    const auto add = [&](const char* name, const std::u16string& value) {
        VCardProperty property;
        property.name = name;
        property.value = value;
        card.properties.push_back(std::move(property));
    };
    const std::u16string number = u"+1555" + Digits(1000000 + n);
    add("N", u"Person" + Digits(n) + u";Anna;;;");
    add("FN", u"Anna Person" + Digits(n));
    add("TEL", number);
    add("EMAIL", u"anna" + Digits(n) + u"@example.org");
    return card;
}

class Book {
public:
    Book()
        : folder_(std::filesystem::temp_directory_path() /
                  ("brevane-bench-share-" + std::to_string(getpid()))) {
        std::filesystem::create_directories(folder_);
        book_.emplace(SharedBookPaths{folder_ / "cards", folder_ / "contacts.tsv"});
        for (uint32_t oid = 1; oid <= kContacts; ++oid) (void)book_->Put(oid, CardOf(oid));
        (void)book_->WriteTable();
    }
    ~Book() { std::filesystem::remove_all(folder_); }
    SharedBook& Get() { return *book_; }

private:
    std::filesystem::path folder_;
    std::optional<SharedBook> book_;
};

Book& TheBook() {
    static Book book;
    return book;
}

void Card(benchmark::State& state) {
    SharedBook& book = TheBook().Get();
    uint32_t oid = 1;
    for (auto _ : state) {
        if (!book.Put(oid, CardOf(oid + 7))) state.SkipWithError("the card was not written");
        oid = oid % kContacts + 1;
    }
    state.SetItemsProcessed(state.iterations());
}

void CardTable(benchmark::State& state) {
    SharedBook& book = TheBook().Get();
    uint32_t oid = 1;
    for (auto _ : state) {
        if (!book.Put(oid, CardOf(oid + 11)) || !book.WriteTable()) state.SkipWithError("not written");
        oid = oid % kContacts + 1;
    }
    state.SetItemsProcessed(state.iterations());
}

}  // namespace

BENCHMARK(Card)->Name("SharedBook/Card")->Unit(benchmark::kMicrosecond);
BENCHMARK(CardTable)->Name("SharedBook/CardTable")->Unit(benchmark::kMicrosecond);
BENCHMARK_MAIN();
