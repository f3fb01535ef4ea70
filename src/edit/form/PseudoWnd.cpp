#include "edit/form/PseudoWnd.h"

#include <algorithm>

CPseudoWnd::~CPseudoWnd() {
    // A piece that goes away takes its registration and any capture it holds with it.
    if (parent_ == nullptr) return;
    CPseudoWnd& root = Root();
    if (root.capture_ == this) ReleaseCapture();
    if (std::any_of(root.registered_.begin(), root.registered_.end(), [this](const auto& e) { return e.second == this; })) {
        Unregister(*this);
    }
}

bool CPseudoWnd::Create(PseudoHost* host, CPseudoWnd* parent, std::optional<PseudoRect> rect, uint32_t id) {
    if (host == nullptr) return false;
    host_ = host;
    parent_ = parent;
    id_ = id;
    rect_ = rect.value_or(PseudoRect{});
    return true;
}

const CPseudoWnd& CPseudoWnd::Root() const {
    const CPseudoWnd* at = this;
    while (at->parent_ != nullptr) at = at->parent_;
    return *at;
}

CPseudoWnd& CPseudoWnd::Root() { return const_cast<CPseudoWnd&>(std::as_const(*this).Root()); }

PseudoRect CPseudoWnd::ToHost(const PseudoRect& r) const {
    PseudoRect out = r;
    for (const CPseudoWnd* at = this; at != nullptr; at = at->parent_) out = at->ToParent(out);
    return out;
}

void CPseudoWnd::InvalidateSelf() {
    if (host_ == nullptr) return;
    host_->InvalidateRect(parent_ != nullptr ? parent_->ToHost(rect_) : rect_);
}

void CPseudoWnd::Move(int left, int top, int width, int height, unsigned flags, bool redraw, bool silent) {
    const PseudoRect before = rect_;
    if ((flags & kKeepPosition) != 0) {
        left = before.left;
        top = before.top;
    }
    if ((flags & kKeepSize) != 0) {
        width = before.Width();
        height = before.Height();
    }
    rect_ = {left, top, left + width, top + height};
    const bool moved = left != before.left || top != before.top;
    const bool widthChanged = width != before.Width();
    const bool heightChanged = height != before.Height();
    if (!silent && moved) OnMove(before.left, before.top, left, top);
    if (!silent && (widthChanged || heightChanged)) OnSize(width, height, widthChanged, heightChanged);
    if (!redraw || host_ == nullptr) return;
    InvalidateSelf();
    host_->Update();
}

void CPseudoWnd::SetCapture(CPseudoWnd* child) {
    Root().capture_ = child;
    if (host_ != nullptr) host_->SetMouseCapture(child != nullptr);
}

void CPseudoWnd::ReleaseCapture() { SetCapture(nullptr); }

void CPseudoWnd::AdjustCount(int delta) {
    for (CPseudoWnd* at = this; at != nullptr; at = at->parent_) at->descendants_ += delta;
}

void CPseudoWnd::Register(uint32_t id, CPseudoWnd& child) {
    Root().registered_.emplace_back(id, &child);
    // Every ancestor of the child counts it.
    if (child.parent_ != nullptr) child.parent_->AdjustCount(1);
}

void CPseudoWnd::Unregister(CPseudoWnd& child) {
    auto& list = Root().registered_;
    const auto found = std::find_if(list.begin(), list.end(), [&](const auto& e) { return e.second == &child; });
    if (found == list.end()) return;
    list.erase(found);
    if (child.parent_ != nullptr) child.parent_->AdjustCount(-1);
}

CPseudoWnd* CPseudoWnd::Registered(uint32_t id) const {
    for (const auto& [key, child] : Root().registered_) {
        if (key == id) return child;
    }
    return nullptr;
}
