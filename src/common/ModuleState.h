#pragma once
// The state that several subsystems share for the whole run: the program folder and the
// database paths, the command-line flags, the settings read from the settings file, the
// link parameters, the automatic-mode flags, the common font and colours, and the values
// one window hands to another. One instance, reached through State(); ResetState() puts
// every value back to its value before anything set it (tests call it between cases).
#include "common/GasDefinition.h"
#include "platform/FontSpec.h"
#include "platform/OleDate.h"
#include "platform/Types.h"

#include <QString>
#include <array>
#include <memory>

namespace mt52 {

// Number of gas slots of the settings model and the database.
inline constexpr int GasSlotCount = 5;

struct ModuleState {
    QString StartDir;            // the program folder (current directory at start)
    bool DebugMode = false;      // command line holds "-DEBUG"
    bool ExtendedMode = false;   // command line holds "-52"
    Long ExecuteCount = 0;       // saves of the settings file so far
    bool SerialLogOn = false;    // keep numbered generations of the communication log
    QString RecordSuffix;
    QString DataRoot;            // base folder of the database and the data folder
    QString DatabasePath;        // MT52.mdb in DataRoot
    QString DataFolder;          // "Data" in DataRoot, root of the trend files
    Integer LockFileNumber = 0;
    Integer LinkDelay = 0;
    Integer LinkRetry = 0;
    Integer LinkTimeout = 0;
    QString LinkSettings;        // serial settings text, "921600,n,8,1"
    Integer CommPortNumber = 0;  // port found for the USB-serial adapter, 0 when none
    Integer CommPortChoice = 0;  // 1-based place of the port picked when several match
    bool ReplyReceived = false;  // bytes arrived since the last frame was sent
    QString InstrumentModelName; // "MT-52"
    Long BusyState = 0;          // 0 idle, 1 dump list, 3 zero cal, 4 span cal, 5 all download, 6 auto download, 8 export
    bool AutoLoadOn = false;
    bool AutoRemoveOn = false;
    bool AutoTerminateOn = false;
    std::array<std::array<GasDefinition, GasTableChoices>, GasTableSlots> GasTable{};
    std::array<bool, 2> GasLockedFlags{};    // gas numbers 1 and 2
    std::array<Single, 1> FactAutoCals{};    // gas 1; -101 means none
    // Trend colour per gas slot (red + 256 green + 65536 blue); only entry 0 is kept in the settings file.
    std::array<Long, GasSlotCount> GraphColors{};
    std::array<Single, 1> CalibRanges{};
    Integer CalDueWarnDays = 0;
    FontSpec CommonFont;
    std::array<Single, 3> PrintLineWidths{};
    bool CompletelyViewOn = false;
    bool CondensedView = false;
    bool CompletelyReadOn = false;
    Integer TrendSearchBefore = 0;
    Integer TrendSearchAfter = 0;
    Integer CalUnitOnWaitTime = 0;
    Integer CalSpanOnWaitTime = 0;
    Integer CalSpanOffWaitTime = 0;
    QString LockPassword;
    bool PasswordPassed = false;
    QString DateTimeFormat;
    Integer CellCategory = 0;   // category of the last trend cell formatted
    bool ExportRawData = false;
    Long TrendPopupSeqNo = 0;
    Long TrendPopupKind = 0;
    Date TrendPopupDate{0.0};
    // Flags later pages read and nothing sets.
    bool FactoryMode = false;
    bool OptionGridWide = false;
    bool DebugMessages = false;
    // Recorded by GetOsVersionClass.
    Long OsPlatformId = 0;
    Long OsVersionClass = 0;
};

ModuleState& State();
void ResetState();

}  // namespace mt52
