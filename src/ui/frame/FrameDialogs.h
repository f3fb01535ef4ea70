#pragma once
// The dialogs the main window runs for its own commands. Each is an interface so the main window
// works (and is tested) with whichever dialogs exist; ProgramDialogs are the program's own.
#include "ui/frame/OptionsApply.h"

class CallFilter;
class ContactTemplate;

class FrameDialogs : public OptionsDialog {
public:
    // The template editor on a copy of the view template; true (and the copy edited) on OK.
    [[nodiscard]] virtual bool RunTemplateEditor(ContactTemplate& copy) = 0;
    // The category ringtones with the call filter; true when they were changed and stored.
    [[nodiscard]] virtual bool RunRingtones(CallFilter& filter) = 0;
    virtual void ShowAbout() = 0;
};

// The program's dialogs: the options, the template editor, the category ringtones and the about
// box.
class ProgramDialogs : public FrameDialogs {
public:
    OptionsResult Run(const OptionsState& current) override;
    [[nodiscard]] bool RunTemplateEditor(ContactTemplate& copy) override;
    [[nodiscard]] bool RunRingtones(CallFilter& filter) override;
    void ShowAbout() override;
};
