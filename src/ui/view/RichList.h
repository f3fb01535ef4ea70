#pragma once
// RichList: the drawn list of the contact view ("RICH.LIST"): an optional heading (a picture and
// marked-up text), labelled lines of marked-up text with their group's icon, and the note last.
// Lines wrap to the width and keep every character as stored (any script, either direction).
// One line is current: Up and Down move it, Enter, Talk, Left and Right activate it, a tap
// activates the line it hits (or none). Every other key goes to the owner. Screen readers read
// the whole list as its name and the current line as its description.
#include <QImage>
#include <QString>
#include <cstdint>
#include <memory>
#include <vector>

#include "core/str/Str.h"
#include "ui/list/EventHook.h"
#include "ui/toolkit/WndImpl.h"

class QTextDocument;

class RichListListener {
public:
    virtual ~RichListListener() = default;
    // `line` is the activated line's number (as added), or -1 when the tap hit none or no line is
    // current; `key` the virtual key, 0 for a tap.
    virtual void OnLineActivated(int line, uint32_t key) = 0;
    // A key the list does not use (WM_KEYDOWN) and a typed character (WM_CHAR).
    virtual void OnListKeyDown(uint32_t key) = 0;
    virtual void OnListChar(char16_t ch) = 0;
    // The list got or lost the keyboard focus.
    virtual void OnListFocus(bool in) = 0;
};

// The icon drawn before a line.
enum class LineIcon { None, Phone, Email, Web, Link };

class RichList : public WndImpl {
public:
    static constexpr char16_t kClassName[] = u"RICH.LIST";

    explicit RichList(RichListListener& listener);
    ~RichList() override;

    [[nodiscard]] bool Create(WndImpl& parent, const QRect& rect);
    // Empties the list (the heading, the lines and the note).
    void Clear();
    void SetHeading(const QImage& picture, const Str& markup, int gapAfter);
    void AddLine(const QString& label, const Str& markup, LineIcon icon, int gapAfter);
    void SetNote(const QString& label, const QString& text);
    // Lays out and draws again after the items changed; the first line becomes current.
    void Refresh();

    int LineCount() const;
    int CurrentLine() const { return current_; }
    void SetCurrentLine(int line);
    // The area of line `line` in widget coordinates (scrolled); empty when there is none.
    QRect LineRect(int line) const;
    // The text of line `line` as read aloud: "label: value" without markup.
    QString LineText(int line) const;

protected:
    plat::LRESULT WndProc(uint32_t message, plat::WPARAM wParam, plat::LPARAM lParam) override;
    void Paint(QPainter& painter, const QRect& exposed) override;
    void OnResize(const QSize&) override;
    void OnTap(const QPoint& at) override;
    QString AccessibleText() const override;

private:
    struct Item;

    void LayOut();
    void PaintItem(QPainter& painter, const Item& item) const;
    void ScrollTo(int line);
    int LineAt(const QPoint& at) const;
    int ItemOfLine(int line) const;
    void CurrentChanged();

    RichListListener& listener_;
    std::vector<std::unique_ptr<Item>> items_;
    int current_ = -1;
    int scroll_ = 0;
    int contentHeight_ = 0;
    EventHookSlot hook_;  // last: it goes first
};
