#pragma once
// Makes every write of a value to the current device's registry fail, as a full disk would, while
// it lives (a trigger in registry.db aborts each one; reads go on).
#include "support/TempDevice.h"

class RegistryWritesFail {
public:
    explicit RegistryWritesFail(const TempDevice& device);
    ~RegistryWritesFail();
    RegistryWritesFail(const RegistryWritesFail&) = delete;
    RegistryWritesFail& operator=(const RegistryWritesFail&) = delete;

private:
    void Run(const char* sql) const;

    std::filesystem::path file_;
};
