#pragma once
// ContactsFrame: the contacts frame of the main window (window class "CONTACTS.FRAME.CLASS"), as
// far as the program has it now: it takes the client rectangle and the commands and switch
// requests the main window routes to it, starts the sibling programs, finds and shows the contact
// a request names, and draws a plain area where the contact list will be, with a status line
// saying what the last request did (also read out by screen readers).
#include <QString>
#include <cstdint>

#include "core/settings/FontSettings.h"
#include "core/str/Str.h"
#include "ui/frame/OptionsApply.h"
#include "ui/toolkit/WndFrame.h"

class ContactClientManager;

// Commands the frame answers.
inline constexpr uint32_t kCmdHistory = 126;
inline constexpr uint32_t kCmdDialler = 127;
inline constexpr uint32_t kCmdSpeedDial = 128;
inline constexpr uint32_t kCmdSelectAll = 40003;
// The marker between the name and the number of a caller in a find-or-create request.
inline constexpr std::u16string_view kCallerMarker = u"++--++";

class ContactsFrame : public WndFrame {
public:
    static constexpr char16_t kClassName[] = u"CONTACTS.FRAME.CLASS";

    explicit ContactsFrame(ContactClientManager& contacts) : contacts_(contacts) {}
    ~ContactsFrame() override { DestroyWnd(); }

    bool OnCommand(uint32_t command, plat::LPARAM lParam) override;

    // The requests of the command-line switches and the main window.
    virtual void ShowContact(uint32_t oid);
    virtual void EditContact(uint32_t oid);
    virtual void NewContact(const Str& text);
    virtual void FindOrCreate(const Str& text);
    virtual void OpenDialler();
    virtual void OpenSpeedDial();
    virtual void OpenHistory();
    virtual void CallSelected();
    virtual void ClearSearch();
    virtual void RedrawRows();
    virtual void ContactChanged(uint32_t oid);
    // What the options change.
    virtual void ApplyListFont(const FontSpec& font);
    virtual void ApplyViewFont(const FontSpec& font);
    virtual void ApplyAbcSettings(const AbcBarSettings& abc);
    virtual void SetRowHeightIncrement(int pixels);
    virtual void RebuildList();

    // The contact shown now (0: none) and the status line.
    uint32_t ShownContact() const { return shown_; }
    const QString& Status() const { return status_; }

protected:
    std::u16string_view ClassName() const override { return kClassName; }
    void Paint(QPainter& painter, const QRect& exposed) override;
    QString AccessibleText() const override { return status_; }

private:
    void SetStatus(const QString& status);
    // The display name of a contact, or nothing when it cannot be read.
    std::optional<QString> NameOf(uint32_t oid);
    void NotYet(const QString& what);

    ContactClientManager& contacts_;
    uint32_t shown_ = 0;
    QString status_;
};
