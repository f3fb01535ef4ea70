#pragma once
// The five registered window messages between the instances of the family's programs. Each has a
// fixed name; its number is what the device's RegisterWindowMessage gives that name, the same in
// every process of the device.
#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

enum class CoordMessage {
    ChangeToMaster,  // to the new master: you are the master now
    ChangeToSlave,   // to the old master: you are a slave now
    SlaveReload,     // to every slave (posted): reload the index files
    SlaveStop,       // to every slave (sent): stop using the index files until reloaded
    UpdateLinkType,  // to the master (sent): wParam a contact's object identifier, lParam its link type
};

inline constexpr std::array<std::u16string_view, 5> kCoordMessageNames = {
    u"PimSyncChangeToMaster", u"PimSyncChangeToSlave", u"PimSyncSlaveReload", u"PimSyncSlaveStop",
    u"PimSyncUpdateLinkType"};

// The number of the message on the current device (registered on first use); 0 when the device
// cannot register it.
uint32_t CoordMessageNumber(CoordMessage message);

// Which coordination message a window message is, if it is one.
std::optional<CoordMessage> ClassifyCoordMessage(uint32_t message);
