#include "phone/dial/EditCardModel.h"

#include "core/res/ResourceStrings.h"
#include "phone/dial/DialString.h"
#include "platform/ui/MessageBox.h"

EditCardModel::EditCardModel(CallingCard card, Str sourcePhone) : source_(std::move(sourcePhone)) {
    SetName(card.name);
    SetFormat(card.format);
}

void EditCardModel::SetName(const Str& name) { card_.name = name.Left(kMaxChars); }

void EditCardModel::SetFormat(const Str& format) { card_.format = format.Left(kMaxChars); }

Str EditCardModel::FormattedPhone() const { return ComposeDialString(card_.format, source_); }

bool EditCardModel::Ok() {
    selectName_ = false;
    const uint32_t flags = plat::MB_OK | plat::MB_ICONWARNING;
    if (card_.name.IsEmpty()) {
        plat::MessageBox(RequireStr(kStrEmptyName).View(), RequireStr(kStrWarning).View(), flags);
        return false;
    }
    if (CallingCards::IsVoidName(card_.name)) {
        plat::MessageBox(RequireStr(kStrWrongName).View(), RequireStr(kStrWarning).View(), flags);
        selectName_ = true;
        return false;
    }
    return true;
}
