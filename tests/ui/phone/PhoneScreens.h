#pragma once
// What the phone screens' tests share: the main window with contacts (from the list's tests),
// waiting for a dialog of a kind to open while something modal runs, and the device's call and
// tone log.
#include <QLabel>
#include <string>
#include <vector>

#include "core/settings/SettingsKeys.h"
#include "core/settings/SettingsStore.h"
#include "ui/list/ListScreen.h"
#include "phone/dial/DialMethod.h"
#include "platform/ui/MessageBox.h"
#include "phone/menu/PhoneChooser.h"
#include "ui/phone/DialCountdownDlg.h"

class PhoneScreen : public ListScreen {
protected:
    // Runs `open`, which runs a modal dialog of type T; once it is open `onDialog` gets it (and
    // must end it). False when the dialog never opened.
    template <typename T>
    static bool WithDialog(const std::function<void()>& open, const std::function<void(T&)>& onDialog) {
        return WhileOpen<T>(&OpenDialog<T>, open, onDialog);
    }

    // Tone dialling through the loudspeaker, so calls show up as a countdown and tones.
    static void UseToneDialling() {
        EXPECT_TRUE(SettingsStore::WriteDword(settings::kSettings, settings::kDialupMode, kDialSound));
    }
    static void SetDialType(uint32_t type) {
        EXPECT_TRUE(SettingsStore::WriteDword(settings::kSettings, settings::kDialType, type));
    }

    // The device's log of played tones and calls, without time stamps.
    std::vector<std::string> Played() const {
        std::vector<std::string> lines = ProgramLog(device_);
        std::erase_if(lines, [](const std::string& line) {
            return !line.starts_with("coredll.dll\tPlaySound") && !line.starts_with("phone.dll");
        });
        return lines;
    }
};
