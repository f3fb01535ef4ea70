#pragma once
// The tool as a cooperating program of the device: it registers with the coordination engine,
// connects the contact manager (which keeps the index when the tool is the master), and before it
// ends makes sure the index holds every change it made and is saved.
//
// What a command could not do is never dropped: the command names it (Missed), and Finish turns
// everything missed, its own index work included, into one failure that says what was and was not
// done. A session that ends without Finish (its command failed) still brings the index up to date,
// and a failure of that is written to standard error and makes the tool's exit status 1.
//
// The tool's sessions on one device take turns (a lock of the device's namespace, held from
// before the manager connects until it has closed): two tools at once would otherwise both keep
// the shared index when the coordination engine has no slot left for one, or read it while the
// other changes it. A session waits up to kTurnWaitMs for its turn and fails, having done
// nothing, when it does not get it. A process that dies releases its turn.
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "app/cli/Cli.h"
#include "host/share/HostShare.h"
#include "manager/contacts/ContactManager.h"
#include "manager/search/ContactSearch.h"
#include "manager/search/ListRows.h"
#include "platform/shm/LockFile.h"
#include "platform/window/WindowTypes.h"

namespace cli {

class Session {
public:
    static constexpr int kTurnWaitMs = 60000;

    explicit Session(Context& context);
    // Opens the device and connects; fails when the store cannot be used. What it opened before a
    // failure is closed again, in order, when the session ends. A session that did not open does
    // nothing when it ends.
    Status Open();
    ~Session();
    Session(const Session&) = delete;
    Session& operator=(const Session&) = delete;

    ContactManager& Manager() { return manager_; }
    ContactSearch& Search() { return search_; }
    // Counts a change the tool made; Finish then waits until the notifications of every committed
    // change have reached the index.
    void Changed(uint32_t count = 1) { changes_ += count; }
    // Records a part of the command's work that was not done ("the categories of 1a2b were not
    // assigned"); Finish reports it.
    void Missed(std::string what) { missed_.push_back(std::move(what)); }
    // A value the store took in a smaller form or not at all (its limits, docs/vcard.md): said on
    // standard error at once, and the command ends with status 3 unless it fails.
    void Cut(const std::string& what);
    // Brings the index up to date with the tool's changes and saves it (the master only), then
    // fails when anything was missed or the index work failed.
    Status Finish();

private:
    // Each undoes one step of opening; as members they are undone in the reverse order, also when
    // the constructor fails part-way (so no process-wide object outlives what it points into).
    struct OwnWindow {
        plat::HWND handle = 0;
        ~OwnWindow();
    };
    struct Registration {
        ~Registration();  // unregisters from the coordination engine and ends it
    };
    struct ManagerLease {
        ~ManagerLease();  // closes and releases the process's contact manager
    };

    Status TakeTurn();
    Status UpdateIndex();
    std::string Report() const;

    Context& context_;
    plat::LockFile turn_;  // released last, after everything below has closed
    OwnWindow window_;
    Registration registration_;
    ManagerLease lease_;
    ContactManager& manager_;
    ContactSearch search_;
    std::unique_ptr<HostShare> share_;  // on a device that shares its contacts with the host
    uint32_t changes_ = 0;
    std::vector<std::string> missed_;
    bool opened_ = false;
    bool finished_ = false;
};

// The row text of contact `oid` as the list draws it in `order` ("Unnamed" for a contact the
// store no longer has).
std::string RowText(ContactManager& manager, uint32_t oid, ListOrder order);

}  // namespace cli
