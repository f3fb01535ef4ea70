#include <gtest/gtest.h>

#include <string>

#include "core/result/Result.h"
#include "core/result/Status.h"

namespace {

Result<std::u16string> NameOf(int id) {
    if (id == 0) return Status::Error(StatusCode::NotFound, u"no such contact");
    return std::u16string(u"Anna");
}

TEST(Status, AFailureIsNeverOk) {
    EXPECT_TRUE(Status().IsOk());
    EXPECT_TRUE(Status::Ok().Message().empty());
    const Status failed = Status::Error(StatusCode::Ok, u"the write failed");
    EXPECT_FALSE(failed);
    EXPECT_EQ(failed.Code(), StatusCode::Failed);
    EXPECT_EQ(failed.Message(), u"the write failed");
}

TEST(Result, HoldsTheValueOrTheStatus) {
    const Result<std::u16string> found = NameOf(1);
    ASSERT_TRUE(found);
    EXPECT_EQ(found.Value(), u"Anna");
    EXPECT_EQ(found->size(), 4u);
    const Result<std::u16string> missing = NameOf(0);
    EXPECT_FALSE(missing);
    EXPECT_EQ(missing.GetStatus().Code(), StatusCode::NotFound);
    const Result<int> fromOk(Status::Ok());  // a status that carries no value is no success
    EXPECT_EQ(fromOk.GetStatus().Code(), StatusCode::Failed);
}

TEST(ResultDeathTest, TheValueOfAFailureEndsTheProgram) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");
    const Result<int> missing = NameOf(0).GetStatus();
    EXPECT_DEATH((void)missing.Value(), "Result::Value of a failure");
}

}  // namespace
