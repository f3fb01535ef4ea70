#pragma once
// The numbers of the string resources that only the Qt screens show (res/strings.tsv, 43000 to
// 43799: from 43000 the words several screens use, then a hundred for each folder of src/ui; see
// docs/strings.md), and those of the table's texts that the screens share with the layers below.
// A text a user sees or hears (a caption, a label, a status line, a box, a screen-reader name) is
// loaded by its number, never written in the code.
#include <QString>
#include <cstdint>

#include "screen/list/ListStrings.h"

namespace uistr {

// Strings of the table that the screens share with the layers below.
inline constexpr uint32_t kBrevane = liststr::kBrevane, kOk = 105, kCancel = 106, kDefault = 111,
                          kChange = 120, kAdd = 41430;
inline constexpr uint32_t kEdit = liststr::kEdit, kDelete = liststr::kDelete, kMenu = liststr::kMenu,
                          kNew = 42238, kTools = 42239, kSendSms = liststr::kSendSms,
                          kEditTemplate = liststr::kEditTemplate;

// Words several screens use.
inline constexpr uint32_t kClose = 43000;
inline constexpr uint32_t kSearch = 43001;
inline constexpr uint32_t kNoContacts = 43002;
inline constexpr uint32_t kFields = 43003;
inline constexpr uint32_t kDone = 43004;
inline constexpr uint32_t kSelect = 43005;
inline constexpr uint32_t kCall = 43006;
inline constexpr uint32_t kChooseMore = 43007;
inline constexpr uint32_t kChangeMore = 43008;
inline constexpr uint32_t kName = 43009;

// The main window (src/ui/frame).
inline constexpr uint32_t kExit = 43100;
inline constexpr uint32_t kAboutText = 43101;
inline constexpr uint32_t kCannotConnect = 43102;

// The contacts frame and the list (src/ui/list): status line, boxes, screen-reader texts.
inline constexpr uint32_t kSearching = 43200;
inline constexpr uint32_t kClearSearch = 43201;
inline constexpr uint32_t kClearGroups = 43202;
inline constexpr uint32_t kToTheList = 43203;
inline constexpr uint32_t kRowExpanded = 43204;
inline constexpr uint32_t kRowCollapsed = 43205;
inline constexpr uint32_t kDataFolderChoice = 43206;
inline constexpr uint32_t kPhoneChooserOf = 43207;
inline constexpr uint32_t kNoNumberToCall = 43208;
inline constexpr uint32_t kCalled = 43209;
inline constexpr uint32_t kNoContactOid = 43210;
inline constexpr uint32_t kContactRingtoneNotSaved = 43211;
inline constexpr uint32_t kContactRingtone = 43212;
inline constexpr uint32_t kSpeedDialUnassigned = 43213;
inline constexpr uint32_t kSpeedDialCalled = 43214;
inline constexpr uint32_t kEmailTo = 43215;
inline constexpr uint32_t kMessagingNotStarted = 43216;
inline constexpr uint32_t kDefaultNumberNotStored = 43217;
inline constexpr uint32_t kContactShown = 43218;
inline constexpr uint32_t kViewNotOpened = 43219;
inline constexpr uint32_t kEditingContact = 43220;
inline constexpr uint32_t kNewContactFor = 43221;
inline constexpr uint32_t kFindOrCreate = 43222;
inline constexpr uint32_t kSavedContact = 43223;
inline constexpr uint32_t kTemplateNotSaved = 43224;
inline constexpr uint32_t kDiallerStarted = 43225;
inline constexpr uint32_t kDiallerNotStarted = 43226;
inline constexpr uint32_t kHistoryStarted = 43227;
inline constexpr uint32_t kHistoryNotStarted = 43228;
inline constexpr uint32_t kValuesShortened = 43229;

// The contact editor and the template editor (src/ui/edit).
inline constexpr uint32_t kContactNotSaved = 43300;
inline constexpr uint32_t kContactSavedInPart = 43301;
inline constexpr uint32_t kNoCategories = 43302;
inline constexpr uint32_t kPicture = 43303;
inline constexpr uint32_t kNoType = 43304;
inline constexpr uint32_t kNoPicture = 43305;
inline constexpr uint32_t kPictureSize = 43306;
inline constexpr uint32_t kChoosePictureMore = 43307;
inline constexpr uint32_t kRemovePicture = 43308;
inline constexpr uint32_t kChoosePicture = 43309;
inline constexpr uint32_t kPictureFiles = 43310;
inline constexpr uint32_t kPictureUnreadable = 43311;
inline constexpr uint32_t kPictureNotStored = 43312;
inline constexpr uint32_t kNoDate = 43313;
inline constexpr uint32_t kLabelBracket = 43314;
inline constexpr uint32_t kNameAsOneField = 43315;

// The options dialog and the alphabet-bar dialog (src/ui/options).
inline constexpr uint32_t kOptions = 43400;
inline constexpr uint32_t kOptionsPages = 43401;
inline constexpr uint32_t kChangeAlphabet = 43402;
inline constexpr uint32_t kTodayPlugin = 43403;
inline constexpr uint32_t kEnablePlugin = 43404;
inline constexpr uint32_t kDefaultContactManager = 43405;
inline constexpr uint32_t kHardwareButton = 43406;
inline constexpr uint32_t kDialerOnPhoneButton = 43407;
inline constexpr uint32_t kListFont = 43408;
inline constexpr uint32_t kViewFont = 43409;
inline constexpr uint32_t kChangeListFont = 43410;
inline constexpr uint32_t kChangeViewFont = 43411;
inline constexpr uint32_t kShowFormattedNumber = 43412;
inline constexpr uint32_t kPhoneFormatsMore = 43413;
inline constexpr uint32_t kHideSimContacts = 43414;
inline constexpr uint32_t kDialMethod = 43415;
inline constexpr uint32_t kPhoneSelectWindow = 43416;
inline constexpr uint32_t kEnableCallerId = 43417;
inline constexpr uint32_t kShowTrayIcon = 43418;
inline constexpr uint32_t kNameIntoSms = 43419;
inline constexpr uint32_t kReplaceCallHistory = 43420;
inline constexpr uint32_t kReplaceSpeedDial = 43421;
inline constexpr uint32_t kCallerIdSkins = 43422;
inline constexpr uint32_t kFont = 43423;
inline constexpr uint32_t kChooseDialMethod = 43424;
inline constexpr uint32_t kOptionsNotStored = 43425;
inline constexpr uint32_t kFontSize = 43426;
inline constexpr uint32_t kAbcBarTitle = 43427;
inline constexpr uint32_t kAlphabet = 43428;
inline constexpr uint32_t kCustomAlphabet = 43429;
inline constexpr uint32_t kWrongAbcFormat = 43430;
inline constexpr uint32_t kAlphabetCustom = 43431;
inline constexpr uint32_t kAlphabetEnglish = 43432;
inline constexpr uint32_t kAlphabetRussian = 43433;
inline constexpr uint32_t kAlphabetEnglishRussian = 43434;
inline constexpr uint32_t kAlphabetGerman = 43435;

// The phone screens (src/ui/phone): Edit & Call, calling cards, phone formats, speed dial, phone chooser,
// contact picker.
inline constexpr uint32_t kPhoneFormatsTitle = 43500;
inline constexpr uint32_t kPhoneTemplate = 43501;
inline constexpr uint32_t kPhoneTemplates = 43502;
inline constexpr uint32_t kExampleLabel = 43503;
inline constexpr uint32_t kIgnoreDashes = 43504;
inline constexpr uint32_t kUp = 43505;
inline constexpr uint32_t kDown = 43506;
inline constexpr uint32_t kExample = 43507;
inline constexpr uint32_t kFormatsNotStored = 43508;
inline constexpr uint32_t kCallingCard = 43509;
inline constexpr uint32_t kCardName = 43510;
inline constexpr uint32_t kCardFormat = 43511;
inline constexpr uint32_t kFormattedPhone = 43512;
inline constexpr uint32_t kSourcePhone = 43513;
inline constexpr uint32_t kEditAndCallTitle = 43514;
inline constexpr uint32_t kContactPhone = 43515;
inline constexpr uint32_t kDialString = 43516;
inline constexpr uint32_t kSoundDial = 43517;
inline constexpr uint32_t kDelKey = 43518;
inline constexpr uint32_t kCardNotStored = 43519;
inline constexpr uint32_t kCardNotDeleted = 43520;
inline constexpr uint32_t kEmptyDialString = 43521;
inline constexpr uint32_t kNoCardFormat = 43522;
inline constexpr uint32_t kSpeedDialTitle = 43523;
inline constexpr uint32_t kSortByName = 43524;
inline constexpr uint32_t kRename = 43525;
inline constexpr uint32_t kSpeedButton = 43526;
inline constexpr uint32_t kNoPhoneNumber = 43527;

// The category ringtones and the ringtone picker (src/ui/ringtones).
inline constexpr uint32_t kCategoriesUnreadable = 43600;
inline constexpr uint32_t kGroup = 43601;
inline constexpr uint32_t kRingtone = 43602;
inline constexpr uint32_t kPlay = 43603;
inline constexpr uint32_t kPlayRingtone = 43604;
inline constexpr uint32_t kNoOwnRingtone = 43605;
inline constexpr uint32_t kRingtonesNotStored = 43606;
inline constexpr uint32_t kChooseRingtone = 43607;
inline constexpr uint32_t kOtherRingtone = 43608;
inline constexpr uint32_t kSoundFiles = 43609;
inline constexpr uint32_t kSelectRingtone = 43610;
inline constexpr uint32_t kRingtoneFiles = 43611;
inline constexpr uint32_t kNoRingtones = 43612;
inline constexpr uint32_t kOtherFileMore = 43613;
inline constexpr uint32_t kOtherFile = 43614;
inline constexpr uint32_t kNotOnDevice = 43615;
inline constexpr uint32_t kChooseRingtoneFirst = 43616;
inline constexpr uint32_t kFolderNotRemembered = 43617;

// The full-screen contact view (src/ui/view).
inline constexpr uint32_t kNoPhoneToCall = 43700;
inline constexpr uint32_t kMessagingCannotStart = 43701;
inline constexpr uint32_t kEmailCannotStart = 43702;
inline constexpr uint32_t kFileNotOpened = 43703;

}  // namespace uistr

// The text of string `id` (uistr or any other number of the table), for Qt. Use QString::arg for
// its places %1, %2, ...
QString UiText(uint32_t id);
