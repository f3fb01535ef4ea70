#pragma once
// The string resources of the contact list, the contacts frame and their menus and messages.
#include <cstdint>

namespace liststr {

inline constexpr uint32_t kBrevane = 101;
inline constexpr uint32_t kView = 41193;
inline constexpr uint32_t kUnnamed = 41280;
inline constexpr uint32_t kEditAndCall = 41382;
inline constexpr uint32_t kCannotEditSim = 41422;

inline constexpr uint32_t kNewContact = 42200, kEdit = 42201, kDelete = 42202, kSetRingtone = 42203,
                          kBeam = 42204, kMakeAppointment = 42205, kShowOnlyName = 42206,
                          kHighlightFound = 42207, kOneLine = 42208, kTwoLine = 42209,
                          kShowPhonePanel = 42210, kPreview = 42211, kSortBy = 42212, kSortName = 42213,
                          kSortFileAs = 42214, kSortCompany = 42215, kHideAbcBar = 42216,
                          kSmallAbcBar = 42217, kBigAbcBar = 42218, kAbcBar = 42219, kCategoryList = 42220,
                          kEditTemplate = 42221, kSetDataFolder = 42222, kReindex = 42223, kOptions = 42224,
                          kAbout = 42225, kCallPhone = 42226, kSendSms = 42227, kSendEmail = 42228,
                          kDuplicate = 42229, kDeleteQuestion = 42230, kContacts = 42231,
                          kFolderQuestion = 42232, kFolderCannotCreate = 42233, kFolderNoMemory = 42234,
                          kFolderMoveFailed = 42235, kDataFolderName = 42236, kMenu = 42237,
                          kDeleteFailed = 42241, kDuplicateFailed = 42242, kBeamFailed = 42243,
                          kAppointmentFailed = 42244;

}  // namespace liststr
