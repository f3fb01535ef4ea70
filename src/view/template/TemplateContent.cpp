#include "view/template/TemplateContent.h"

#include "view/template/TemplateGroup.h"

namespace {

constexpr uint32_t kNameNames[] = {41147, 41183, 41148, 41149, 41150, 41151, 41152, 41153, 41154, 41279};
constexpr uint32_t kNameLabels[] = {41313, 41314, 41315, 41316, 41317, 41318, 41319, 41320, 41321, 41322};
constexpr uint32_t kPhoneNames[] = {41155, 41156, 41157, 41158, 41197, 41159, 41160, 41161, 41162, 41269, 41270};
constexpr uint32_t kPhoneLabels[] = {41323, 41360, 41324, 41325, 41326, 41327, 41328, 41329, 41330, 41331, 41332};
constexpr uint32_t kEmailNames[] = {41163, 41164, 41165};
constexpr uint32_t kEmailLabels[] = {41333, 41334, 41335};
constexpr uint32_t kImNames[] = {41194, 41271, 41272};
constexpr uint32_t kImLabels[] = {41336, 41337, 41338};
constexpr uint32_t kWebNames[] = {41170};
constexpr uint32_t kWebLabels[] = {41342};
constexpr uint32_t kOfficeNames[] = {41171};
constexpr uint32_t kOfficeLabels[] = {41343};
constexpr uint32_t kAddressNames[] = {41172, 41173, 41174};
constexpr uint32_t kAddressLabels[] = {41344, 41345, 41346};
constexpr uint32_t kCategoryNames[] = {41175};
constexpr uint32_t kCategoryLabels[] = {41347};
constexpr uint32_t kPeopleNames[] = {41176, 41177, 41178, 41179, 41375};
constexpr uint32_t kPeopleLabels[] = {41348, 41349, 41350, 41351, 41376};
constexpr uint32_t kDateNames[] = {41180, 41181};
constexpr uint32_t kDateLabels[] = {41352, 41353};
constexpr uint32_t kLinkNames[] = {41277, 41182};
constexpr uint32_t kLinkLabels[] = {41354, 41355};
constexpr uint32_t kOtherNames[] = {41278, 41275, 41273, 41274};
constexpr uint32_t kOtherLabels[] = {41356, 41357, 41358, 41359};

const GroupContent kContent[kTemplateGroupCount] = {
    {u"", kNameNames, kNameLabels, 0},
    {u"Phone", kPhoneNames, kPhoneLabels, 41184},
    {u"EMail", kEmailNames, kEmailLabels, 41185},
    {u"Msg", kImNames, kImLabels, 41186},
    {u"Web", kWebNames, kWebLabels, 41187},
    {u"Office", kOfficeNames, kOfficeLabels, 41188},
    {u"Addr", kAddressNames, kAddressLabels, 0},
    {u"Category", kCategoryNames, kCategoryLabels, 41189},
    {u"People", kPeopleNames, kPeopleLabels, 41190},
    {u"Date", kDateNames, kDateLabels, 41191},
    {u"Link", kLinkNames, kLinkLabels, 41192},
    {u"Other", kOtherNames, kOtherLabels, 41276},
};

}  // namespace

const GroupContent& BuiltinContent(int id) { return kContent[id]; }
