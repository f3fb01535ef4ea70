#include "sync/merge/CardMerge.h"

#include <algorithm>
#include <cstdio>
#include <map>
#include <set>

#include "store/vcard/ContactToCard.h"
#include "store/vcard/VCardFormat.h"
#include "store/vcard/VCardReader.h"
#include "store/vcard/VCardWriter.h"

namespace carddav {

namespace {

constexpr std::string_view kLabel = "X-ABLABEL";

// Properties of one kind that a contact holds several of: merged as sets.
bool IsListProperty(const std::string& name, bool grouped) {
    static const std::set<std::string, std::less<>> lists = {"TEL",
                                                             "EMAIL",
                                                             "ADR",
                                                             "URL",
                                                             "IMPP",
                                                             "X-ABDATE",
                                                             "X-ABRELATEDNAMES",
                                                             "CATEGORIES",
                                                             "LABEL",
                                                             std::string(vcf::kPropOther)};
    return grouped || lists.contains(name) || name.starts_with("X-AIM") || name.starts_with("X-JABBER") ||
           name.starts_with("X-SKYPE") || name.starts_with("X-ICQ") || name.starts_with("X-MSN") ||
           name.starts_with("X-YAHOO");
}

// A group's name in upper case, as VCard::GroupTexts keys it.
std::string UpperGroup(const VCardProperty& p) {
    std::string group = p.group;
    std::transform(group.begin(), group.end(), group.begin(),
                   [](unsigned char c) { return std::toupper(c); });
    return group;
}

std::string Utf8(std::u16string_view text) { return Str(text).ToUtf8(); }

// One value of a card: the property (group name cleared), its group's label, and its identity.
struct Value {
    VCardProperty property;
    std::u16string label;
    bool hasLabel = false;
    std::string key;
};

std::string KeyOf(const VCardProperty& p, const std::u16string& label, bool hasLabel) {
    std::string key = p.name;
    std::vector<std::string> params;
    for (const VCardParam& param : p.params) {
        std::string text = param.name + "=";
        for (const std::u16string& v : param.values) text += Utf8(v) + ",";
        params.push_back(text);
    }
    std::sort(params.begin(), params.end());
    for (const std::string& param : params) key += ";" + param;
    if (hasLabel) key += "|" + Utf8(label);
    return key + ":" + (p.isBinary ? p.binary : Utf8(p.value));
}

// The values of a projection, CATEGORIES split into one value per category.
std::vector<Value> ValuesOf(const VCard& card) {
    const std::map<std::string, std::u16string> labels = card.GroupTexts(kLabel);
    std::vector<Value> values;
    for (const VCardProperty& p : card.properties) {
        if (p.name == kLabel || p.name == "VERSION" || p.name == "REV" || p.name == "PRODID" ||
            p.name == "UID")
            continue;
        std::vector<VCardProperty> parts;
        if (p.name == "CATEGORIES") {
            for (const std::u16string& item : p.ListItems()) {
                VCardProperty one = p;
                one.value = item;
                one.raw = Utf8(item);
                parts.push_back(std::move(one));
            }
        } else {
            parts.push_back(p);
        }
        for (VCardProperty& part : parts) {
            Value value;
            if (const auto label = labels.find(UpperGroup(part));
                !part.group.empty() && label != labels.end()) {
                value.label = label->second;
                value.hasLabel = true;
            }
            value.hasLabel = value.hasLabel || !part.group.empty();
            part.group.clear();
            value.key = KeyOf(part, value.label, value.hasLabel);
            value.property = std::move(part);
            values.push_back(std::move(value));
        }
    }
    return values;
}

// A card of the values, each labelled value in a group of its own.
VCard CardOf(const std::vector<const Value*>& values, const std::u16string& uid) {
    VCard card;
    if (!uid.empty()) card.properties.push_back({.name = "UID", .raw = Utf8(uid), .value = uid});
    int group = 0;
    for (const Value* value : values) {
        VCardProperty p = value->property;
        if (value->hasLabel) {
            p.group = "item" + std::to_string(++group);
            card.properties.push_back(p);
            card.properties.push_back({.group = p.group,
                                       .name = std::string(kLabel),
                                       .raw = Utf8(value->label),
                                       .value = value->label});
        } else {
            card.properties.push_back(std::move(p));
        }
    }
    return card;
}

std::u16string UidOf(const VCard& card) {
    for (const VCardProperty& p : card.properties) {
        if (p.name == "UID") return p.Text();
    }
    return {};
}

// The values of one property name joined, for comparing and naming a single value.
std::string Joined(const std::vector<const Value*>& values) {
    std::string text;
    for (const Value* v : values)
        text += (text.empty() ? "" : "; ") + (v->property.isBinary ? "(picture)" : Utf8(v->property.Text()));
    return text;
}

std::string JoinedKeys(const std::vector<const Value*>& values) {
    std::vector<std::string> keys;
    for (const Value* v : values) keys.push_back(v->key);
    std::sort(keys.begin(), keys.end());
    std::string joined;
    for (const std::string& k : keys) joined += k + "\n";
    return joined;
}

using ByName = std::map<std::string, std::vector<const Value*>>;

ByName Group(const std::vector<Value>& values) {
    ByName byName;
    for (const Value& v : values)
        byName[v.hasLabel && v.property.name != "TEL" ? v.property.name + "+" : v.property.name].push_back(
            &v);
    return byName;
}

bool Contains(const std::vector<const Value*>& values, const std::string& key) {
    return std::any_of(values.begin(), values.end(), [&](const Value* v) { return v->key == key; });
}

// A list property: the server's values, less the ones the local side removed, with the ones it added.
void MergeList(const std::vector<const Value*>& base, const std::vector<const Value*>& local,
               const std::vector<const Value*>& server, std::vector<const Value*>& out) {
    for (const Value* v : server) {
        if (!(Contains(base, v->key) && !Contains(local, v->key))) out.push_back(v);
    }
    for (const Value* v : local) {
        if (!Contains(base, v->key) && !Contains(server, v->key)) out.push_back(v);
    }
}

}  // namespace

std::optional<VCard> ParseCard(std::string_view text) {
    std::vector<VCard> cards;
    std::vector<ReadSkip> skipped;
    if (!VCardReader::Read(text, cards, skipped).ok() || cards.empty()) return std::nullopt;
    return std::move(cards.front());
}

ImportedContact ContactOf(const VCard& card) { return CardToContact(card); }

VCard ProjectionOf(const Contact& contact, const std::vector<Str>& categories) {
    VCard card = ContactToCard(contact, categories);
    std::erase_if(card.properties,
                  [](const VCardProperty& p) { return p.name == "REV" || p.name == "PRODID"; });
    return card;
}

VCard Projection(const VCard& card) {
    const ImportedContact imported = CardToContact(card);
    return ProjectionOf(imported.contact, imported.categories);
}

namespace {

std::string SortedKeys(const VCard& card) {
    const std::vector<Value> values = ValuesOf(card);
    std::vector<const Value*> pointers;
    for (const Value& v : values) pointers.push_back(&v);
    return JoinedKeys(pointers);
}

}  // namespace

bool SameValues(const VCard& a, const VCard& b) { return SortedKeys(a) == SortedKeys(b); }

std::string Fingerprint(const VCard& projection) {
    uint64_t hash = 14695981039346656037ull;  // FNV-1a
    for (const unsigned char c : SortedKeys(projection)) hash = (hash ^ c) * 1099511628211ull;
    char text[17];
    std::snprintf(text, sizeof text, "%016llx", static_cast<unsigned long long>(hash));
    return text;
}

MergeResult Merge(const VCard* base, const VCard& local, const VCard& server) {
    const std::vector<Value> baseValues = base == nullptr ? std::vector<Value>{} : ValuesOf(*base);
    const std::vector<Value> localValues = ValuesOf(local), serverValues = ValuesOf(server);
    ByName b = Group(baseValues), l = Group(localValues), s = Group(serverValues);
    std::set<std::string> names;
    for (const ByName* side : {&b, &l, &s})
        for (const auto& [name, values] : *side) names.insert(name);
    MergeResult result;
    std::vector<const Value*> merged;
    for (const std::string& name : names) {
        const auto &bv = b[name], &lv = l[name], &sv = s[name];
        const std::string propertyName = name.ends_with("+") ? name.substr(0, name.size() - 1) : name;
        if (IsListProperty(propertyName, name.ends_with("+"))) {
            MergeList(bv, lv, sv, merged);
            continue;
        }
        const std::string bk = JoinedKeys(bv), lk = JoinedKeys(lv), sk = JoinedKeys(sv);
        const bool takeLocal = sk == (base == nullptr ? std::string() : bk) && lk != sk;
        for (const Value* v : takeLocal ? lv : sv) merged.push_back(v);
        if (!takeLocal && lk != sk && lk != bk && !lv.empty())
            result.conflicts.push_back({propertyName, Joined(lv), Joined(sv)});
    }
    std::u16string uid = UidOf(server);
    if (uid.empty()) uid = UidOf(local);
    result.card = CardOf(merged, uid);
    return result;
}

std::string UploadCard(const VCard* base, const VCard& local) {
    VCard upload;
    upload.version = VCardVersion::k30;
    upload.properties = local.properties;
    if (base != nullptr) {
        // The base's properties that a contact keeps only as "other" values are sent back as the
        // server had them (parameters and groups included), and the local copies of them left out.
        const VCard projected = Projection(*base);
        std::set<std::string> represented{"VERSION", "UID", "REV", "PRODID"};
        std::set<std::u16string> others;
        const std::map<std::string, std::u16string> labels = projected.GroupTexts(kLabel);
        for (const VCardProperty& p : projected.properties) {
            const std::string group = UpperGroup(p);
            if (p.name == vcf::kPropOther && labels.contains(group))
                others.insert(labels.at(group));
            else if (p.name != kLabel)
                represented.insert(p.name);
        }
        const auto keptByBase = [&](const std::string& name) {
            return !represented.contains(name) && others.contains(std::u16string(Str::FromUtf8(name).View()));
        };
        std::set<std::string> localOtherGroups;
        const std::map<std::string, std::u16string> localLabels = local.GroupTexts(kLabel);
        for (const VCardProperty& p : local.properties) {
            const std::string group = UpperGroup(p);
            if (p.name == vcf::kPropOther && localLabels.contains(group) &&
                keptByBase(Utf8(localLabels.at(group))))
                localOtherGroups.insert(p.group);
        }
        std::erase_if(upload.properties, [&](const VCardProperty& p) {
            return localOtherGroups.contains(p.group) && !p.group.empty();
        });
        std::set<std::string> keptGroups;
        for (const VCardProperty& p : base->properties) {
            if (keptByBase(p.name) && !p.group.empty()) keptGroups.insert(p.group);
        }
        for (const VCardProperty& p : base->properties) {
            if (p.name == "UID") {
                std::erase_if(upload.properties, [](const VCardProperty& q) { return q.name == "UID"; });
                upload.properties.insert(upload.properties.begin(), p);
            } else if (keptByBase(p.name) || (p.name == kLabel && keptGroups.contains(p.group))) {
                VCardProperty kept = p;
                if (!kept.group.empty()) kept.group = "keep-" + kept.group;
                upload.properties.push_back(std::move(kept));
            }
        }
    }
    std::string text;
    VCardWriter::Append(upload, text);
    return text;
}

}  // namespace carddav
