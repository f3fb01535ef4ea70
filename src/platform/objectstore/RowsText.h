#pragma once
// Statements that insert several rows at once: most of the cost of a single-row insert is running
// the statement, not placing the row, so rows that go in together go in with one statement of up
// to kRowsAtOnce rows.
#include <array>
#include <cstddef>
#include <string>
#include <string_view>

namespace plat::objstore {

inline constexpr size_t kRowsAtOnce = 16;

// "head (row), (row), ..." for 1 to kRowsAtOnce rows, made once.
class RowsText {
public:
    RowsText(std::string_view head, std::string_view row) {
        for (size_t count = 1; count <= kRowsAtOnce; ++count) {
            std::string& text = texts_[count];
            text = head;
            for (size_t at = 0; at < count; ++at) text.append(at == 0 ? "" : ", ").append(row);
        }
    }
    const std::string& operator()(size_t rows) const { return texts_[rows]; }

private:
    std::array<std::string, kRowsAtOnce + 1> texts_;
};

}  // namespace plat::objstore
