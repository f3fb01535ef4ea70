#pragma once
// The tool as a cooperating program of the device: it registers with the coordination engine,
// connects the contact manager (which keeps the index when the tool is the master), and before it
// ends makes sure the index holds every change it made and is saved.
#include <cstdint>

#include "app/cli/Cli.h"
#include "manager/contacts/ContactManager.h"
#include "manager/search/ContactSearch.h"
#include "platform/window/WindowTypes.h"

namespace cli {

class Session {
public:
    // Opens the device and connects; throws Failure when the store cannot be used.
    explicit Session(const Context& context);
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    ContactManager& Manager() { return manager_; }
    ContactSearch& Search() { return search_; }
    // Counts a change the tool made; Finish then waits until the notifications of every committed
    // change have reached the index.
    void Changed(uint32_t count = 1) { changes_ += count; }
    // Brings the index up to date with the tool's changes and saves it (the master only).
    void Finish();

private:
    ContactManager& manager_;
    ContactSearch search_;
    plat::HWND window_ = 0;
    uint32_t changes_ = 0;
    bool finished_ = false;
};

}  // namespace cli
