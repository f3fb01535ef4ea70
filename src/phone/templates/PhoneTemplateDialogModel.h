#pragma once
// The model of the phone-format dialog: its own copy of the templates, the selected one, the text
// field and the example line. Formatting's on/off switch is not changed here.
#include <string_view>

#include "core/str/Str.h"
#include "phone/templates/PhoneTemplates.h"

class PhoneTemplateDialogModel {
public:
    enum class AddResult { Added, Ignored, Forbidden };

    // Loads the stored templates and lists them ordered by slot count.
    void Open();

    const PhoneTemplates& Templates() const { return templates_; }
    int Selection() const { return selection_; }
    const Str& Text() const { return text_; }
    // The example line: the text field's template applied to "1234567890..." cut to its number of
    // "#", or "Nothing to display".
    Str Example() const;

    // Selecting a template copies it into the text field (-1 selects nothing).
    void Select(int index);
    // The user edited the text field (cut to the field's limit).
    void SetText(std::u16string_view text);

    // Adds the text field's template at the top and selects it. Ignored when the text is empty or
    // already listed; Forbidden (the caller shows the message) when it holds one of "[]{}<>".
    AddResult Add();
    // Removes the selected template and selects the one now at its place (the last when the last
    // one went).
    void Delete();
    // Exchange the selected template with its neighbour; nothing at the top or bottom.
    void Up();
    void Down();
    // The default templates, ordered by slot count.
    void Default();
    void ToggleIgnoreHyphens();
    // Stores the templates. True when they were written.
    [[nodiscard]] bool Ok() const;

private:
    void SortBySlotCount();
    void Move(int delta);

    PhoneTemplates templates_;
    int selection_ = -1;
    Str text_;
};

// The digits the example is made from: "1234567890" repeated and cut to `count`.
Str ExampleDigits(int count);
