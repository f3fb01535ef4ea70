#include "screen/list/RevealContact.h"

bool RevealContact(ContactsFrameModel& model, uint32_t oid, FrameEffect& effect) {
    effect.handled = true;
    if (model.List().Reveal(oid)) {
        effect.listChanged = true;
        return true;
    }
    model.OnSearchText(u"");
    effect.searchBoxChanged = true;
    effect.listChanged = true;
    if (model.List().Reveal(oid)) return true;
    if (model.OnFilterChoice(catfilter::kCommandAll).listChanged && model.List().Reveal(oid)) return true;
    return false;
}
