// The rebuild's gathering on a thread of its own: every contact handed over is gathered, in order;
// a failure of the gathering reaches the caller at Finish; a reading that fails (the gathering is
// dropped without Finish) ends the thread without waiting for more.
#include "manager/index/GatherThread.h"

#include <gtest/gtest.h>

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "MemoryIndex.h"
#include "store/contact/ContactFields.h"

namespace {

class RecordingIndex : public MemoryIndex {
public:
    std::vector<uint32_t> order;
    uint32_t failAt = 0;

    void Gather(const Contact& contact) override {
        if (contact.GetOid() == failAt) throw std::runtime_error("out of memory");
        order.push_back(contact.GetOid());
        MemoryIndex::Gather(contact);
    }
};

Contact Numbered(uint32_t oid) {
    Contact contact;
    contact.SetOid(oid);
    contact.SetText(kFieldLast, Str::FromUtf8("Name " + std::to_string(oid)));
    return contact;
}

}  // namespace

TEST(GatherThread, GathersInOrderAndReportsWhatFailed) {
    constexpr uint32_t kContacts = 300;
    struct Case {
        const char* name;
        uint32_t failAt;
        bool finish;
        size_t gathered;  // at least this many, in order from 1
    };
    for (const Case& c : {Case{"every contact", 0, true, kContacts}, Case{"a failure", 150, true, 149},
                          Case{"dropped", 0, false, 0}}) {
        SCOPED_TRACE(c.name);
        RecordingIndex index;
        index.failAt = c.failAt;
        index.BeginRebuild(kContacts);
        std::optional<GatherThread> gathering(std::in_place, index);
        for (uint32_t oid = 1; oid <= kContacts; ++oid) gathering->Add(Numbered(oid));
        if (c.finish && c.failAt != 0) {
            EXPECT_THROW(gathering->Finish(), std::runtime_error);
        } else if (c.finish) {
            gathering->Finish();
        }
        gathering.reset();
        ASSERT_GE(index.order.size(), c.gathered);
        for (size_t i = 0; i < index.order.size(); ++i) ASSERT_EQ(index.order[i], i + 1);
        if (c.failAt == 0 && c.finish) {
            ASSERT_TRUE(index.FinishRebuild());
            EXPECT_EQ(index.held.size(), kContacts);
            EXPECT_EQ(index.held[kContacts], Str(u"Name 300"));
        }
    }
}
