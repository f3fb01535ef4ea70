#include "store/vcard/VCard.h"

#include "store/vcard/Ascii.h"
#include "store/vcard/VCardFormat.h"
#include "store/vcard/ValueText.h"

const VCardParam* VCardProperty::Param(std::string_view paramName) const {
    for (const VCardParam& param : params) {
        if (param.name == paramName) return &param;
    }
    return nullptr;
}

std::u16string VCardProperty::ParamValue(std::string_view paramName) const {
    const VCardParam* param = Param(paramName);
    return param && !param->values.empty() ? param->values.front() : std::u16string();
}

bool VCardProperty::HasType(std::string_view type) const {
    for (const VCardParam& param : params) {
        if (param.name != vcf::kParamType) continue;
        for (const std::u16string& value : param.values) {
            if (EqualsAscii(value, type)) return true;
        }
    }
    return false;
}

void VCardProperty::AddParam(std::string paramName, std::u16string paramValue) {
    params.push_back({std::move(paramName), {std::move(paramValue)}});
}

std::u16string VCardProperty::Text() const {
    return UnescapeText(value);
}

std::vector<std::u16string> VCardProperty::Components() const {
    return SplitEscaped(value, u';');
}

std::vector<std::u16string> VCardProperty::ListItems() const {
    return SplitEscaped(value, u',');
}

std::map<std::string, std::u16string> VCard::GroupTexts(std::string_view name) const {
    std::map<std::string, std::u16string> texts;
    for (const VCardProperty& property : properties) {
        if (property.name == name && !property.group.empty()) {
            texts.emplace(AsciiUpper(property.group), property.Text());
        }
    }
    return texts;
}
