#pragma once
// Items handed from one thread to another, in order, with a few at most waiting: the giver waits
// while the queue is full, the taker while it is empty, each until half the queue can move.
//
// Strings (Str) count their sharers without atomics, so an item must share no string block with
// anything the giver keeps. The giver keeps no copy; and since a type whose move copies some of
// its parts would leave shared blocks in the object moved from, Put also lets go of that object
// (it assigns a fresh T to it) before the taker can see the item.
#include <condition_variable>
#include <cstddef>
#include <deque>
#include <mutex>
#include <optional>

template <typename T>
class HandOver {
public:
    explicit HandOver(size_t capacity) : capacity_(capacity), half_(capacity > 1 ? capacity / 2 : 1) {}

    // Waits for room; false, taking nothing, once the taker has stopped.
    [[nodiscard]] bool Put(T&& item) {
        std::unique_lock lock(mutex_);
        if (queued_.size() >= capacity_)
            room_.wait(lock, [this] { return queued_.size() <= half_ || stopped_; });
        if (stopped_) return false;
        queued_.push_back(std::move(item));
        item = T{};
        if (queued_.size() == half_) ready_.notify_one();
        return true;
    }
    // Waits for an item; nothing once the giver has finished and every item was taken.
    std::optional<T> Take() {
        std::unique_lock lock(mutex_);
        if (queued_.empty()) ready_.wait(lock, [this] { return queued_.size() >= half_ || finished_; });
        if (queued_.empty()) return std::nullopt;
        std::optional<T> item(std::move(queued_.front()));
        queued_.pop_front();
        if (queued_.size() == half_) room_.notify_one();
        return item;
    }
    // The giver's end: nothing more comes.
    void Finish() {
        const std::lock_guard lock(mutex_);
        finished_ = true;
        ready_.notify_one();
    }
    // The taker's end: the giver is told to stop.
    void Stop() {
        const std::lock_guard lock(mutex_);
        stopped_ = true;
        room_.notify_one();
    }

private:
    const size_t capacity_;
    // A waiting side is woken once half the queue can move, not for each item: a wake-up costs
    // two system calls, more than the work of a small item.
    const size_t half_;
    std::mutex mutex_;
    std::condition_variable room_;
    std::condition_variable ready_;
    std::deque<T> queued_;
    bool finished_ = false;
    bool stopped_ = false;
};
