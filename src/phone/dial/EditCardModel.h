#pragma once
// The model of the card editor (CEditCardDlg, dialog 404): a card's name and format, the sample
// that shows what the format makes of a source phone, and the checks of OK.
#include <cstdint>

#include "core/str/Str.h"
#include "phone/dial/CallingCards.h"

class EditCardModel {
public:
    static constexpr int kMaxChars = 260;
    // String resources: the help below the fields, the two refusals and their caption.
    static constexpr uint32_t kStrHelp = 43800, kStrEmptyName = 43801, kStrWrongName = 43802,
                              kStrWarning = 43803;

    EditCardModel(CallingCard card, Str sourcePhone);

    // Texts longer than kMaxChars are cut, as the edit fields take no more.
    void SetName(const Str& name);
    void SetFormat(const Str& format);
    const Str& Name() const { return card_.name; }
    const Str& Format() const { return card_.format; }
    const Str& SourcePhone() const { return source_; }
    // The source phone through the format, as the sample shows it while the format is typed.
    Str FormattedPhone() const;

    // OK: an empty name or the built-in card's name shows its warning (the second also asks the
    // screen to select the name field, see SelectName) and keeps the dialog open (false).
    [[nodiscard]] bool Ok();
    [[nodiscard]] bool SelectName() const { return selectName_; }
    const CallingCard& Card() const { return card_; }

private:
    CallingCard card_;
    Str source_;
    bool selectName_ = false;
};
