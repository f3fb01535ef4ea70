#pragma once
// The names of every settings section and value. No other code spells them: a name used in two
// places is one constant here. docs/settings.md gives each value's type, default and meaning.
#include <string_view>

namespace settings {

// The root of all sections, below HKEY_CURRENT_USER.
inline constexpr std::u16string_view kRoot = u"Software\\Velmora\\PIM\\";

// --- Sections ------------------------------------------------------------------------------------
inline constexpr std::u16string_view kSettings = u"Settings";
inline constexpr std::u16string_view kAbc = u"ABC";
inline constexpr std::u16string_view kListFont = u"ListFont";
inline constexpr std::u16string_view kViewFont = u"ViewFont";
inline constexpr std::u16string_view kCatFilter = u"CatFilter";
inline constexpr std::u16string_view kCatMenu = u"CatMenu";
inline constexpr std::u16string_view kCatRecent = u"CatRecent";
inline constexpr std::u16string_view kTemplates = u"Templates";
inline constexpr std::u16string_view kCallCard = u"CallCard";
inline constexpr std::u16string_view kRingtone = u"Ringtone";

// --- Values of section "Settings" ----------------------------------------------------------------
inline constexpr std::u16string_view kProgramPath = u"ProgramPath";
inline constexpr std::u16string_view kFolderPath = u"FolderPath";
inline constexpr std::u16string_view kSkinPath = u"SkinPath";
inline constexpr std::u16string_view kSortType = u"SortType";
inline constexpr std::u16string_view kAbcMode = u"AbcMode";
inline constexpr std::u16string_view kAbcModePrev = u"AbcModePrev";
inline constexpr std::u16string_view kShowDPan = u"ShowDPan";
inline constexpr std::u16string_view kSplitVisible = u"SplitVisible";
inline constexpr std::u16string_view kSplitPercent = u"SplitPercent";
inline constexpr std::u16string_view kSplitMode = u"SplitMode";
inline constexpr std::u16string_view kSpltFix = u"SpltFix";
inline constexpr std::u16string_view kSpltPosY = u"SpltPosY";
inline constexpr std::u16string_view kIsDoubleSized = u"IsDoubleSized";
inline constexpr std::u16string_view kNameOnly = u"NameOnly";
inline constexpr std::u16string_view kHighlight = u"Highlight";
inline constexpr std::u16string_view kListCyclic = u"ListCyclic";
inline constexpr std::u16string_view kHideSim = u"HideSim";
inline constexpr std::u16string_view kSysDialer = u"SysDialer";
inline constexpr std::u16string_view kDialType = u"DialType";
inline constexpr std::u16string_view kDialupMode = u"DialupMode";
inline constexpr std::u16string_view kDefCard = u"DefCard";
inline constexpr std::u16string_view kCallerIDPhone = u"CallerIDPhone";
inline constexpr std::u16string_view kDefaultAssign = u"DefaultAssign";
inline constexpr std::u16string_view kKeyPressFeedback = u"KeyPressFeedback";
inline constexpr std::u16string_view kOptionPage = u"OptionPage";
inline constexpr std::u16string_view kIsTrayVisible = u"IsTrayVisible";
inline constexpr std::u16string_view kCLog = u"CLog";
inline constexpr std::u16string_view kSCut = u"SCut";
inline constexpr std::u16string_view kCIDSkin = u"CIDSkin";
inline constexpr std::u16string_view kCidUseAllCat = u"CID_UseAllCat";
inline constexpr std::u16string_view kCidScript = u"CID_Script";
inline constexpr std::u16string_view kCidScriptVer = u"CID_ScriptVer";
inline constexpr std::u16string_view kCidVol = u"CID_Vol";
inline constexpr std::u16string_view kCidDelay = u"CID_Delay";
inline constexpr std::u16string_view kCatFltActive = u"CatFltActive";
inline constexpr std::u16string_view kCatFltStat = u"CatFltStat";
inline constexpr std::u16string_view kCatFltData = u"CatFltData";
inline constexpr std::u16string_view kTodayPlug = u"TodayPlug";
inline constexpr std::u16string_view kRealVGA = u"RealVGA";
inline constexpr std::u16string_view kFileAsIdx = u"FileAsIdx";
inline constexpr std::u16string_view kPicQuality = u"PicQuality";
inline constexpr std::u16string_view kLastPicPath = u"LastPicPath";
inline constexpr std::u16string_view kLastSoundPath = u"LastSoundPath";

// Default of "CIDSkin".
inline constexpr std::u16string_view kDefaultCidSkin = u"standard.cid";

// --- Values of section "ABC" ---------------------------------------------------------------------
inline constexpr std::u16string_view kAbcType = u"Type";
inline constexpr std::u16string_view kAbcCustom = u"Custom";
inline constexpr std::u16string_view kAbcIncrH = u"IncrH";

// --- Values of the font sections -----------------------------------------------------------------
inline constexpr std::u16string_view kFontName = u"Name";
inline constexpr std::u16string_view kFontHeight = u"Height";
inline constexpr std::u16string_view kFontFlags = u"Flags";

// --- Values of list sections ---------------------------------------------------------------------
inline constexpr std::u16string_view kCount = u"Count";
inline constexpr std::u16string_view kCatFilterAll = u"All";
inline constexpr std::u16string_view kIsIgnorePhoneFormat = u"IsIgnorePhoneFormat";
inline constexpr std::u16string_view kIsActiveTemplate = u"IsActiveTemplate";

}  // namespace settings
