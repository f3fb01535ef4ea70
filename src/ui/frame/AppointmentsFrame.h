#pragma once
// The main window's second frame: it shows and hides itself and does nothing else.
#include "ui/toolkit/WndFrame.h"

class AppointmentsFrame : public WndFrame {
public:
    static constexpr char16_t kClassName[] = u"APPOINTMENTS.FRAME.CLASS";
    ~AppointmentsFrame() override { DestroyWnd(); }

protected:
    std::u16string_view ClassName() const override { return kClassName; }
};
