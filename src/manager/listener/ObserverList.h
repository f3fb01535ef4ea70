#pragma once
// ObserverList: the observers of one subject, each called in the order it was added. An observer
// may add or remove observers (itself included) from inside a call: one removed is not called again,
// not even later in the same notification, so it may be destroyed as soon as Remove returns; one
// added hears the next notification, not the one under way. Notifications may nest (an observer's
// call leads to another notification); each goes to the observers present when it began. Used on
// one thread only.
#include <algorithm>
#include <cstddef>
#include <vector>

template <typename Observer>
class ObserverList {
public:
    // Adding an observer that is already there changes nothing: each hears each event once.
    void Add(Observer& observer) {
        if (std::find(entries_.begin(), entries_.end(), &observer) == entries_.end())
            entries_.push_back(&observer);
    }

    void Remove(Observer& observer) {
        const auto found = std::find(entries_.begin(), entries_.end(), &observer);
        if (found == entries_.end()) return;
        if (depth_ > 0) {
            *found = nullptr;  // the running notifications skip it; the place goes when they end
        } else {
            entries_.erase(found);
        }
    }

    // Calls `call` with the arguments on every observer, in the order they were added.
    template <typename... Params, typename... Args>
    void Notify(void (Observer::*call)(Params...), const Args&... args) {
        const Depth nested(*this);
        const size_t present = entries_.size();
        for (size_t i = 0; i < present; ++i) {
            if (Observer* observer = entries_[i]) (observer->*call)(args...);
        }
    }

private:
    // Counts the notifications under way and drops the places of removed observers when the
    // outermost one ends (also when an observer's call throws).
    class Depth {
    public:
        explicit Depth(ObserverList& list) : list_(list) { ++list_.depth_; }
        ~Depth() {
            if (--list_.depth_ == 0) std::erase(list_.entries_, nullptr);
        }
        Depth(const Depth&) = delete;
        Depth& operator=(const Depth&) = delete;

    private:
        ObserverList& list_;
    };

    std::vector<Observer*> entries_;
    int depth_ = 0;
};
