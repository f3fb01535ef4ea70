#include "index/words/MarkSet.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

// Random passes over lists short and long, with few and many hits (the sorted and the bitmap
// collection), checked against plain set intersection; the set is reused from search to search
// without clearing, as the word index reuses it, and a search may end before its collection.
TEST(MarkSet, PassesKeepTheIntersectionInAscendingOrder) {
    std::mt19937 random(11);
    MarkSet marks;
    for (const uint32_t size : {1u, 70u, 5000u, 100000u, 100000u, 5000u}) {
        for (const uint32_t hits : {0u, 3u, 40u, 4000u}) {
            marks.Begin(size);  // a search that ends after its first pass: its marks go
            marks.NextPass();
            for (uint32_t i = 0; i < hits; ++i) marks.Mark(random() % size);
            marks.EndPass();
            marks.Begin(size);
            std::set<uint32_t> expected;
            for (int pass = 0; pass < 3; ++pass) {
                std::set<uint32_t> marked;
                marks.NextPass();
                for (uint32_t i = 0; i < hits * (3 - pass); ++i) {
                    const uint32_t at = random() % size;
                    marks.Mark(at);
                    marks.Mark(at);  // a contact found through two words counts once
                    marked.insert(at);
                }
                marks.Mark(size);  // outside the list: ignored
                std::set<uint32_t> kept;
                for (const uint32_t at : marked) {
                    if (pass == 0 || expected.count(at) != 0) kept.insert(at);
                }
                expected = kept;
                ASSERT_EQ(marks.EndPass(), expected.size()) << size << " " << hits << " " << pass;
            }
            std::vector<uint32_t> ascending{7};  // replaced, not appended to
            marks.Ascending(ascending);
            EXPECT_EQ(ascending, std::vector<uint32_t>(expected.begin(), expected.end())) << size << " " << hits;
        }
    }
}
