#include "platform/loop/LoopFailure.h"

#include <exception>
#include <utility>

namespace plat {

namespace {

std::exception_ptr& Kept() {
    static std::exception_ptr kept;
    return kept;
}

std::function<void()>& Handler() {
    static std::function<void()> handler;
    return handler;
}

}  // namespace

void CallFromLoop(const std::function<void()>& call) {
    if (Kept()) return;
    try {
        call();
    } catch (...) {
        Kept() = std::current_exception();
        if (Handler()) Handler()();
    }
}

bool LoopFailed() { return static_cast<bool>(Kept()); }

void SetLoopFailureHandler(std::function<void()> onFailure) { Handler() = std::move(onFailure); }

void RethrowLoopFailure() {
    if (std::exception_ptr failure = std::exchange(Kept(), nullptr)) std::rethrow_exception(failure);
}

}  // namespace plat
