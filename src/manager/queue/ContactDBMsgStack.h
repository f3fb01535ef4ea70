#pragma once
// ContactDBMsgStack: the change queue of the contact manager. Changes of the store arrive one by
// one; the queue keeps them in arrival order and fires its owner's handler once, 500 ms after the
// last change of a burst, from its timer (owned by a hidden window "DB_MSG_STACK_WND_CLS").
#include <cstdint>
#include <functional>

#include "core/array/Array.h"
#include "manager/timer/WindowTimer.h"

// Kinds of queued changes.
inline constexpr uint32_t kChangeCreated = 1;
inline constexpr uint32_t kChangeDeleted = 2;
inline constexpr uint32_t kChangeChanged = 3;

struct QueuedChange {
    uint32_t kind = 0;
    uint32_t parent = 0;  // the database of the record
    uint32_t oid = 0;
    [[nodiscard]] bool operator==(const QueuedChange&) const = default;
};

class ContactDBMsgStack {
public:
    static constexpr char16_t kWindowClass[] = u"DB_MSG_STACK_WND_CLS";
    static constexpr uint32_t kQuietMs = 500;

    ContactDBMsgStack();
    ~ContactDBMsgStack();
    ContactDBMsgStack(const ContactDBMsgStack&) = delete;
    ContactDBMsgStack& operator=(const ContactDBMsgStack&) = delete;

    // Creates the timer; `onQuiet` runs when it fires (the timer is stopped first).
    [[nodiscard]] bool Create(std::function<void()> onQuiet);
    void Destroy();

    // Appends the change and (re)starts the 500 ms timer.
    void Push(const QueuedChange& change);
    int Count() const { return entries_.GetSize(); }
    [[nodiscard]] bool Empty() const { return entries_.GetSize() == 0; }
    // The queued changes, in arrival order; the queue is left empty.
    Array<QueuedChange> Take();

private:
    Array<QueuedChange> entries_;
    std::function<void()> onQuiet_;
    WindowTimer timer_;
};
