#include "edit/mapper/BlockDescriptor.h"

bool BlockRow::IsEmpty(int kind) const {
    switch (kind) {
    case kBlockDate: return date == 0;
    case kBlockAddress:
        for (const Str& part : parts) {
            if (!part.IsEmpty()) return false;
        }
        return true;
    default: return text.IsEmpty();
    }
}

int BlockDescriptor::LabelIndex(const Str& label) {
    const int index = IndexIn(labels, label);
    return index >= 0 ? index : labels.Add(label);
}
