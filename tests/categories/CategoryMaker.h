#pragma once
// Categories made for a test on the device's category databases; one asked to be in use is
// assigned to a contact of its own, so the in-use listings hold it.
#include <gtest/gtest.h>

#include <cstdint>

#include "categories/ArrayOf.h"
#include "categories/manager/CategoryManager.h"
#include "store/contact/StdContact.h"

class CategoryMaker {
public:
    uint32_t Make(const char16_t* name, bool inUse) {
        uint32_t id = 0;
        EXPECT_EQ(CategoryManager::Instance()->AddCategory(name, id), CategoryManager::kAddCreated);
        if (inUse) {
            StdContact contact;
            contact.SetRecordId(++records_);
            EXPECT_TRUE(CategoryManager::Instance()->AddContactCategories(contact, ArrayOf({id})));
        }
        return id;
    }

private:
    uint32_t records_ = 0;
};
