#include "view/template/TemplateGroup.h"

int IndexIn(const Array<Str>& list, const Str& text) {
    for (int i = 0; i < list.GetSize(); ++i) {
        if (list[i] == text) return i;
    }
    return -1;
}

namespace {

int IndexOrAdd(Array<Str>& list, const Str& text) {
    const int index = IndexIn(list, text);
    return index >= 0 ? index : list.Add(text);
}

}  // namespace

int TemplateGroup::IndexOfName(const Str& name) const { return IndexIn(names, name); }

int TemplateGroup::AddName(const Str& name) { return IndexOrAdd(names, name); }

int TemplateGroup::AddMsgType(const Str& name) { return IndexOrAdd(msgTypeNames, name); }

Str FullLabel(const Str& label) {
    const int at = label.Find(u'@');
    return at < 0 ? label : label.Left(at);
}

Str ShortLabel(const Str& label) {
    const int at = label.Find(u'@');
    return at < 0 ? label : label.Mid(at + 1);
}
