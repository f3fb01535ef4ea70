#include "manager/coord/CoordMessages.h"

#include "platform/device/Device.h"
#include "platform/window/Window.h"

namespace {

// The numbers of the current device, registered again when the device changes.
const std::array<uint32_t, 5>& Numbers() {
    static std::array<uint32_t, 5> numbers{};
    static uint64_t generation = 0;
    static bool complete = false;
    const uint64_t current = plat::CurrentDeviceGeneration();
    if (!complete || generation != current) {
        generation = current;
        complete = true;
        for (size_t i = 0; i < numbers.size(); ++i) {
            numbers[i] = plat::RegisterWindowMessage(kCoordMessageNames[i]);
            complete = complete && numbers[i] != 0;
        }
    }
    return numbers;
}

}  // namespace

uint32_t CoordMessageNumber(CoordMessage message) { return Numbers()[static_cast<size_t>(message)]; }

std::optional<CoordMessage> ClassifyCoordMessage(uint32_t message) {
    if (message == 0) return std::nullopt;
    const std::array<uint32_t, 5>& numbers = Numbers();
    for (size_t i = 0; i < numbers.size(); ++i) {
        if (numbers[i] == message) return static_cast<CoordMessage>(i);
    }
    return std::nullopt;
}
