#pragma once
// Entry numbers of the translation catalogue: every text the program asks
// CTranslation::GetText for, named for where it is shown.

#include <cstdint>

namespace varnholt::text {

// Language dialog and message boxes.
inline constexpr std::int32_t kLanguageGroup = 1; // group box 1015 of the language dialog
inline constexpr std::int32_t kMessageCaption = 5;

// Main window controls.
inline constexpr std::int32_t kFoldersGroup = 10;   // group box 1015
inline constexpr std::int32_t kAddFolders = 15;     // button 1002
inline constexpr std::int32_t kRemoveFolders = 20;  // button 1003
inline constexpr std::int32_t kStartSyncNow = 25;   // button 1004
inline constexpr std::int32_t kIntervalGroup = 30;  // group box 1016
inline constexpr std::int32_t kBehaviourGroup = 35; // group box 1017
inline constexpr std::int32_t kDaysLabel = 40;      // static 1018
inline constexpr std::int32_t kHoursLabel = 45;     // static 1019
inline constexpr std::int32_t kMinutesLabel = 50;   // static 1020
inline constexpr std::int32_t kAutostartCheck = 55; // check box 1008
inline constexpr std::int32_t kFirstColumn = 60;    // pair list, first heading
inline constexpr std::int32_t kSecondColumn = 65;   // pair list, second heading

// Status line, messages, folder browser, tray menu.
inline constexpr std::int32_t kNoRunPlanned = 70;
inline constexpr std::int32_t kMinutesUntilRun = 75;  // format with one "%d"
inline constexpr std::int32_t kFirstFolderIntro = 85; // two-part message with 90
inline constexpr std::int32_t kFirstFolderDetail = 90;
inline constexpr std::int32_t kBrowseInstruction = 95;
inline constexpr std::int32_t kSecondFolderIntro = 100; // two-part message with 105
inline constexpr std::int32_t kSecondFolderDetail = 105;
inline constexpr std::int32_t kNoPairSelected = 110;
inline constexpr std::int32_t kPassStarts = 115; // format with no argument
inline constexpr std::int32_t kScanningFolders = 120;
inline constexpr std::int32_t kCopyingFiles = 125;
inline constexpr std::int32_t kRunFinishedMessage = 130;
inline constexpr std::int32_t kRunFinishedStatus = 135;
inline constexpr std::int32_t kIntervalStored = 140;     // format with one "%s"
inline constexpr std::int32_t kTrayShowMainWindow = 145; // tray item 32781
inline constexpr std::int32_t kTrayExit = 150;           // tray item 32782

// Files a run could not copy (message after the run).
inline constexpr std::int32_t kCopyFailuresHeadline = 155; // format with one "%d", the count
inline constexpr std::int32_t kCopyFailuresMore = 160;     // format with one "%d", files beyond ten
inline constexpr std::int32_t kCauseInUse = 165;           // another program holds the file open
inline constexpr std::int32_t kCauseAccessDenied = 170;    // no permission
inline constexpr std::int32_t kCauseDiskFull = 175;        // no room left on the target's disk
inline constexpr std::int32_t kCauseFolderInTheWay = 180;  // a folder holds the target's name
inline constexpr std::int32_t kCausePathTooLong = 185;     // source or target path too long
inline constexpr std::int32_t kCauseIncomplete = 190;      // reading or writing stopped short
inline constexpr std::int32_t kCauseOther = 195;           // any other failure
inline constexpr std::int32_t kCauseChanged = 196;         // the source changed while copied

// Main menu.
inline constexpr std::int32_t kMenuFile = 200;
inline constexpr std::int32_t kMenuMinimizeToTray = 205; // 32774
inline constexpr std::int32_t kMenuStartSyncNow = 210;   // 32772
inline constexpr std::int32_t kMenuLanguage = 215;       // 32771
inline constexpr std::int32_t kMenuExit = 220;           // 32773
inline constexpr std::int32_t kMenuHelp = 250;
inline constexpr std::int32_t kMenuShowHelpFile = 255; // 32778
inline constexpr std::int32_t kMenuWebsite = 260;      // 32779
inline constexpr std::int32_t kMenuAbout = 265;        // 32780
inline constexpr std::int32_t kMenuShowRunLog = 270;   // 32783
inline constexpr std::int32_t kNoRunLogYet = 275;      // Show Run Log before any log
inline constexpr std::int32_t kPairSkipped = 280;      // status, one "%s", the absent folder
inline constexpr std::int32_t kFailuresNotice = 285;   // tray notice, one "%d", the count
inline constexpr std::int32_t kCommandLineUsage = 290; // the box of "Varnholt.exe /?"

// Error messages (i18n/error_wording.h); "%s" is the path, value or key.
inline constexpr std::int32_t kErrorFileMissing = 300;
inline constexpr std::int32_t kErrorFileBadPath = 305;
inline constexpr std::int32_t kErrorFileAccessDenied = 310;
inline constexpr std::int32_t kErrorFileInUse = 315;
inline constexpr std::int32_t kErrorFileDiskFull = 320;
inline constexpr std::int32_t kErrorFileReadFailed = 325;
inline constexpr std::int32_t kErrorFileWriteFailed = 330;
inline constexpr std::int32_t kErrorFileOther = 335;
inline constexpr std::int32_t kErrorRegistryAccessDenied = 340;
inline constexpr std::int32_t kErrorRegistryNotChanged = 345;
inline constexpr std::int32_t kErrorInvalidArgument = 350; // no placeholder
inline constexpr std::int32_t kErrorValueNotLatin1 = 355;
inline constexpr std::int32_t kErrorValueWithLineBreak = 360;
inline constexpr std::int32_t kErrorTextNotSingleByte = 365; // no placeholder

// A run, Add or Remove asked for while Add waits for its folders.
inline constexpr std::int32_t kPairIncomplete = 370;
// Status after a scheduled run that failed as the one before; one "%d".
inline constexpr std::int32_t kStillNotCopied = 375;

// Every entry a complete language section holds.
inline constexpr std::int32_t kAllTextIds[] = {
    kLanguageGroup,
    kMessageCaption,
    kFoldersGroup,
    kAddFolders,
    kRemoveFolders,
    kStartSyncNow,
    kIntervalGroup,
    kBehaviourGroup,
    kDaysLabel,
    kHoursLabel,
    kMinutesLabel,
    kAutostartCheck,
    kFirstColumn,
    kSecondColumn,
    kNoRunPlanned,
    kMinutesUntilRun,
    kFirstFolderIntro,
    kFirstFolderDetail,
    kBrowseInstruction,
    kSecondFolderIntro,
    kSecondFolderDetail,
    kNoPairSelected,
    kPassStarts,
    kScanningFolders,
    kCopyingFiles,
    kRunFinishedMessage,
    kRunFinishedStatus,
    kIntervalStored,
    kTrayShowMainWindow,
    kTrayExit,
    kCopyFailuresHeadline,
    kCopyFailuresMore,
    kCauseInUse,
    kCauseAccessDenied,
    kCauseDiskFull,
    kCauseFolderInTheWay,
    kCausePathTooLong,
    kCauseIncomplete,
    kCauseOther,
    kCauseChanged,
    kMenuFile,
    kMenuMinimizeToTray,
    kMenuStartSyncNow,
    kMenuLanguage,
    kMenuExit,
    kMenuHelp,
    kMenuShowHelpFile,
    kMenuWebsite,
    kMenuAbout,
    kMenuShowRunLog,
    kNoRunLogYet,
    kPairSkipped,
    kFailuresNotice,
    kCommandLineUsage,
    kErrorFileMissing,
    kErrorFileBadPath,
    kErrorFileAccessDenied,
    kErrorFileInUse,
    kErrorFileDiskFull,
    kErrorFileReadFailed,
    kErrorFileWriteFailed,
    kErrorFileOther,
    kErrorRegistryAccessDenied,
    kErrorRegistryNotChanged,
    kErrorInvalidArgument,
    kErrorValueNotLatin1,
    kErrorValueWithLineBreak,
    kErrorTextNotSingleByte,
};

} // namespace varnholt::text
