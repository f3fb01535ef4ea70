#pragma once
// CPseudoWnd: a windowless piece of a real window (its host): a rectangle in its parent's
// coordinates, drawn and hit-tested by the host. The root of a tree keeps the child that holds
// the mouse capture and the children registered by identifier; every piece counts the registered
// pieces below it. Moving or resizing a piece tells it (OnMove, OnSize) unless asked to be silent.
#include <cstdint>
#include <optional>
#include <utility>
#include <vector>

struct PseudoPoint {
    int x = 0;
    int y = 0;
    [[nodiscard]] bool operator==(const PseudoPoint&) const = default;
};

struct PseudoRect {
    int left = 0, top = 0, right = 0, bottom = 0;

    int Width() const { return right - left; }
    int Height() const { return bottom - top; }
    [[nodiscard]] bool Contains(PseudoPoint p) const {
        return p.x >= left && p.x < right && p.y >= top && p.y < bottom;
    }
    [[nodiscard]] bool Intersects(const PseudoRect& other) const {
        return left < other.right && other.left < right && top < other.bottom && other.top < bottom;
    }
    PseudoRect Offset(int dx, int dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    [[nodiscard]] bool operator==(const PseudoRect&) const = default;
};

class CBlock;
class CElement;

// What a block tells its host window (the WM_NOTIFY of the form): code 1025 with an action.
struct BlockNotification {
    static constexpr uint32_t kCode = 1025;
    static constexpr int kHeightChanged = 4, kElementRemoved = 2, kFocusLost = 5;
    uint32_t id = 0;  // the block's identifier
    uint32_t code = kCode;
    CBlock* block = nullptr;
    CElement* element = nullptr;
    int action = 0;
};

// The real window that hosts pseudo-windows.
class PseudoHost {
public:
    virtual ~PseudoHost() = default;
    // `rect` is in host coordinates.
    virtual void InvalidateRect(const PseudoRect& rect) = 0;
    virtual void Update() = 0;
    virtual void SetMouseCapture(bool on) = 0;
    virtual void Notify(const BlockNotification& notification) = 0;
};

class CPseudoWnd {
public:
    // Move flags.
    static constexpr unsigned kKeepSize = 1, kKeepPosition = 2;

    CPseudoWnd() = default;
    virtual ~CPseudoWnd();
    CPseudoWnd(const CPseudoWnd&) = delete;
    CPseudoWnd& operator=(const CPseudoWnd&) = delete;

    // Joins `parent` (none for a root) on `host`; without a rectangle the piece starts empty.
    [[nodiscard]] bool Create(PseudoHost* host, CPseudoWnd* parent, std::optional<PseudoRect> rect,
                              uint32_t id);

    void Move(int left, int top, int width, int height, unsigned flags, bool redraw, bool silent);
    PseudoPoint ToParent(PseudoPoint p) const { return {p.x + rect_.left, p.y + rect_.top}; }
    PseudoPoint FromParent(PseudoPoint p) const { return {p.x - rect_.left, p.y - rect_.top}; }
    PseudoRect ToParent(const PseudoRect& r) const { return r.Offset(rect_.left, rect_.top); }
    PseudoRect FromParent(const PseudoRect& r) const { return r.Offset(-rect_.left, -rect_.top); }
    // A rectangle of this piece's coordinates in the host's.
    PseudoRect ToHost(const PseudoRect& r) const;

    // The capture is kept at the root; the host window takes or releases its own with it.
    void SetCapture(CPseudoWnd* child);
    void ReleaseCapture();
    CPseudoWnd* CaptureChild() const { return Root().capture_; }

    // Registration is kept at the root; every ancestor of `child` counts it.
    void Register(uint32_t id, CPseudoWnd& child);
    void Unregister(CPseudoWnd& child);
    // The registered piece of `id` at the root, or null.
    CPseudoWnd* Registered(uint32_t id) const;
    // The registered pieces below this one.
    int DescendantCount() const { return descendants_; }

    PseudoHost* Host() const { return host_; }
    CPseudoWnd* Parent() const { return parent_; }
    uint32_t Id() const { return id_; }
    const PseudoRect& Rect() const { return rect_; }

    // The piece's messages; the default handles nothing.
    virtual intptr_t Message(uint32_t, uintptr_t, intptr_t) { return 0; }

protected:
    virtual void OnSize(int, int, bool, bool) {}
    virtual void OnMove(int, int, int, int) {}
    void InvalidateSelf();

private:
    const CPseudoWnd& Root() const;
    CPseudoWnd& Root();
    void AdjustCount(int delta);

    PseudoHost* host_ = nullptr;
    CPseudoWnd* parent_ = nullptr;
    uint32_t id_ = 0;
    PseudoRect rect_;
    CPseudoWnd* capture_ = nullptr;                          // the root's only
    std::vector<std::pair<uint32_t, CPseudoWnd*>> registered_;  // the root's only
    int descendants_ = 0;
};
