#pragma once
// The model of the "Edit && Call.." dialog (CEditDialDlg, dialog 403): the contact's numbers, the
// calling cards, the dial string composed from the two (and edited with the keypad), the
// "Sound dial" switch, and OK, which remembers the card and dials.
#include <cstdint>
#include <vector>

#include "core/str/Str.h"
#include "phone/dial/CallingCards.h"
#include "platform/window/WindowTypes.h"
#include "store/contact/Contact.h"

class Dialer;

class EditDialModel {
public:
    static constexpr int kMaxNumberChars = 256;
    static constexpr int kMaxDialChars = 260;
    static constexpr char16_t kDialCharacters[] = u"+1234567890*#";

    // The keypad buttons besides the characters "0"-"9", "*" and "#".
    enum class Key { Delete, Left, Right };

    // Fills the lists: the contact's numbers in phone order reduced to dial characters, the
    // default number selected; the cards with the one shown as DefCard selected (else the
    // built-in card).
    void Open(const Contact& contact);

    const std::vector<Str>& Numbers() const { return numbers_; }
    int SelectedNumber() const { return number_; }
    void SelectNumber(int index);
    const CallingCards& Cards() const { return cards_; }
    int SelectedCard() const { return card_; }
    void SelectCard(int index);
    // Edit and Delete apply to stored cards only.
    [[nodiscard]] bool CardButtonsShown() const { return CallingCards::IsStored(card_); }

    // Cards added or edited through the card editor, and deleted (the selection follows).
    [[nodiscard]] bool AddCard(const CallingCard& card);
    [[nodiscard]] bool EditCard(const CallingCard& card);
    [[nodiscard]] bool DeleteCard();

    // The dial string with its caret (the keypad edits it at the caret).
    const Str& DialString() const { return dial_; }
    int Caret() const { return caret_; }
    void SetDialString(const Str& text);
    void Press(char16_t c);   // inserts at the caret
    void Press(Key key);      // Delete removes the character before the caret

    [[nodiscard]] bool SoundDial() const { return sound_; }
    void SetSoundDial(bool on) { sound_ = on; }

    // OK: stores the selected card's shown text as DefCard and dials the dial string for the
    // contact (tone dialling when "Sound dial" is on). Returns Dial's result.
    int Ok(Dialer& dialer, plat::HWND owner);

    // A number reduced to the dial characters, at most kMaxNumberChars of them.
    static Str DialCharactersOf(const Str& number);

private:
    void Rebuild();

    Contact contact_;
    std::vector<Str> numbers_;
    int number_ = -1;
    CallingCards cards_;
    int card_ = 0;
    Str dial_;
    int caret_ = 0;
    bool sound_ = false;
};
