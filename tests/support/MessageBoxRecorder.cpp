#include "support/MessageBoxRecorder.h"

#include "platform/ui/MessageBox.h"

MessageBoxRecorder::MessageBoxRecorder() {
    plat::SetMessageBoxHandler([this](std::u16string_view text, std::u16string_view caption, uint32_t flags) {
        std::lock_guard lock(mutex_);
        boxes_.push_back({std::u16string(text), std::u16string(caption), flags});
        if (answers_.empty()) return plat::DefaultMessageBoxAnswer(flags);
        const int answer = answers_.front();
        answers_.pop_front();
        return answer;
    });
}

MessageBoxRecorder::~MessageBoxRecorder() { plat::SetMessageBoxHandler(nullptr); }

void MessageBoxRecorder::Answer(int answer) {
    std::lock_guard lock(mutex_);
    answers_.push_back(answer);
}

std::vector<RecordedBox> MessageBoxRecorder::Boxes() const {
    std::lock_guard lock(mutex_);
    return boxes_;
}
