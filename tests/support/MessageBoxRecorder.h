#pragma once
// Records the message boxes shown while it lives and answers them: with the answers queued by
// Answer, in order, and once those are used up as an unattended box would be answered.
#include <cstdint>
#include <deque>
#include <mutex>
#include <string>
#include <vector>

struct RecordedBox {
    std::u16string text;
    std::u16string caption;
    uint32_t flags = 0;
};

class MessageBoxRecorder {
public:
    MessageBoxRecorder();
    ~MessageBoxRecorder();
    MessageBoxRecorder(const MessageBoxRecorder&) = delete;
    MessageBoxRecorder& operator=(const MessageBoxRecorder&) = delete;

    // Queues the answer of a coming box (plat::IDYES, plat::IDNO, ...).
    void Answer(int answer);
    std::vector<RecordedBox> Boxes() const;

private:
    mutable std::mutex mutex_;
    std::deque<int> answers_;
    std::vector<RecordedBox> boxes_;
};
