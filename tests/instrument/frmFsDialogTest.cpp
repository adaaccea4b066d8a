#include "instrument/gui/frmFsDialog.h"

#include "common/ModuleState.h"
#include "common/ResText.h"
#include "instrument/StationList.h"
#include "platform/Colors.h"
#include "support/FakeDialogs.h"
#include "support/ProgramState.h"

#include <QApplication>
#include <QFile>
#include <QPushButton>
#include <QTimer>
#include <QLabel>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace mt52 {
namespace {

constexpr Long White = RGB(255, 255, 255);
constexpr Long Red = RGB(255, 0, 0);

using Flag = std::function<bool(const clsInstrument&)>;

// The change flags of the dialog's 21 rows, by grid row.
// A flag getter (the getters share their names with the setters).
#define FLAG(name) Flag([](const clsInstrument& i) { return i.name(); })

const std::vector<std::pair<int, Flag>>& RowFlags() {
    static const std::vector<std::pair<int, Flag>> flags = {
        {1, FLAG(Change_AlarmMode)},      {2, FLAG(Change_LogOverWrite)},
        {3, FLAG(Change_CalLimit)},       {4, FLAG(Change_DispCalLimit)},
        {5, FLAG(Change_CalCheck)},       {6, FLAG(Change_HCMode)},
        {7, FLAG(Change_AlarmO2)},        {8, FLAG(Change_autoBackLight)},
        {9, FLAG(Change_LcdBackLight)},   {10, FLAG(Change_AlarmOnOff)},
        {11, FLAG(Change_StelTwaOnOff)},  {12, FLAG(Change_BumpTime)},
        {13, FLAG(Change_BumpThreshold)}, {14, FLAG(Change_BumpFailCalTime)},
        {15, FLAG(Change_BumpFailAfter)}, {16, FLAG(Change_LcBhMode)},
        {17, FLAG(Change_BhTime)},        {18, FLAG(Change_LcBuzzer)},
        {19, FLAG(Change_AutoZero)},      {20, FLAG(Change_DemandZero)},
        {21, FLAG(Change_FlowLevel)},
    };
    return flags;
}

#undef FLAG

// The rows whose flag is set, and the station entries whose flag is set (as -1 - index).
std::vector<int> FlaggedItems(const clsInstrument& instrument) {
    std::vector<int> flagged;
    for (const auto& [row, flag] : RowFlags())
        if (flag(instrument))
            flagged.push_back(row);
    for (Integer i = 0; i < StationCount; ++i)
        if (instrument.Change_StationList(i))
            flagged.push_back(-1 - i);
    if (instrument.Change_UserID() || instrument.Change_StationID() || instrument.Change_SerialNo() ||
        instrument.Change_GasEnable(0) || instrument.Change_Warn(0))
        flagged.push_back(100);
    return flagged;
}

class FsDialogTest : public ::testing::Test {
protected:
    void SetUp() override {
        test::ResetProgramState();
        TextTables::instance().forceLanguage(Language::English);
        instrument.AlarmMode(1);
        instrument.CalLimit(180);
        instrument.CalCheck(2);
        instrument.LcdBackLight(30);
        instrument.AlarmOnOff(1);
        instrument.BumpTime(9);  // no item in its list
        instrument.FlowLevel(123);
        instrument.StationList(5, QStringLiteral("North/5"));
        instrument.ClearChangeFlags();
        dialog = std::make_unique<frmFsDialog>();
        dialog->Instrument(instrument);
        dialog->Form_Activate();
    }
    void TearDown() override {
        dialog.reset();
        TextTables::instance().reset();
        test::ResetProgramState();
    }

    GridModel& Datas() { return dialog->vfgDatas->Model(); }
    GridModel& Stations() { return dialog->Station->vfgStation->Model(); }

    // Puts a text into a cell as the user would through its editor; false when refused.
    static bool Enter(GridModel& grid, int row, int col, const QString& text) {
        if (!grid.StartEdit(row, col))
            return false;
        grid.EditorChanged(text, static_cast<int>(text.size()), 0);
        return grid.CommitEdit();
    }

    test::FakeDialogs dialogs;
    clsInstrument instrument;
    std::unique_ptr<frmFsDialog> dialog;
};

TEST_F(FsDialogTest, FillsTheGridsFromTheInstrument) {
    EXPECT_EQ(dialog->windowTitle(), QStringLiteral("MT-52 Detail Settings"));
    EXPECT_EQ(Datas().Rows(), 22);
    EXPECT_EQ(Datas().TextMatrix(1, 0), QStringLiteral("Alarm pattern"));
    EXPECT_EQ(Datas().TextMatrix(1, 1), QStringLiteral("Latch"));
    EXPECT_EQ(Datas().TextMatrix(3, 1), QStringLiteral("180"));
    EXPECT_EQ(Datas().TextMatrix(5, 1), QStringLiteral("None"));
    EXPECT_EQ(Datas().TextMatrix(12, 1), QString());
    EXPECT_EQ(Datas().TextMatrix(21, 0), QStringLiteral("Minimun Flow"));
    EXPECT_EQ(Datas().TextMatrix(21, 1), QStringLiteral("123"));

    EXPECT_EQ(Stations().Rows(), StationCount);
    EXPECT_EQ(Stations().TextMatrix(0, 0), QStringLiteral("1"));
    EXPECT_EQ(Stations().TextMatrix(0, 1), QString(16, u'-'));
    EXPECT_EQ(Stations().TextMatrix(5, 1), QStringLiteral("North/5"));
    EXPECT_EQ(Stations().TextMatrix(127, 0), QStringLiteral("128"));

    // A second activation (after a message box) keeps what the user did.
    ASSERT_TRUE(Enter(Datas(), 2, 1, QStringLiteral("On")));
    dialog->Form_Activate();
    EXPECT_EQ(Datas().TextMatrix(2, 1), QStringLiteral("On"));
}

TEST_F(FsDialogTest, OkWithoutEditsCopiesNothingBack) {
    dialog->cmdOK_Click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(FlaggedItems(instrument).empty());
    EXPECT_TRUE(FlaggedItems(*dialog->WorkingCopy()).empty());
    EXPECT_EQ(instrument.BumpTime(), 9);
    EXPECT_EQ(instrument.CalCheck(), 2);
}

TEST_F(FsDialogTest, OkCopiesBackExactlyTheEditedItems) {
    ASSERT_TRUE(Enter(Datas(), 10, 1, QStringLiteral("On")));  // the value it already had
    ASSERT_TRUE(Enter(Datas(), 1, 1, QStringLiteral("Reset")));
    ASSERT_TRUE(Enter(Stations(), 2, 1, QStringLiteral("Gate 3")));
    dialog->cmdOK_Click();

    EXPECT_EQ(FlaggedItems(instrument), (std::vector<int>{1, -3}));
    EXPECT_EQ(instrument.AlarmMode(), 0);
    EXPECT_EQ(instrument.AlarmOnOff(), 1);
    EXPECT_EQ(instrument.StationList(2), QStringLiteral("Gate 3"));
}

TEST_F(FsDialogTest, ChoiceRowsOfferTheirListAndReadOnlyRowRefusesEdits) {
    ASSERT_TRUE(Datas().StartEdit(5, 1));
    EXPECT_EQ(Datas().EditChoices(),
              (QStringList{QStringLiteral("Confirm to use"), QStringLiteral("Can't use"), QString(), QStringLiteral("None")}));
    Datas().EditorChanged(QString(), 0, 0);
    EXPECT_FALSE(Datas().CommitEdit());  // the empty item is no value
    Datas().EditorChanged(QStringLiteral("Can't use"), 0, 0);
    EXPECT_TRUE(Datas().CommitEdit());

    ASSERT_TRUE(Datas().StartEdit(3, 1));
    EXPECT_TRUE(Datas().EditChoices().isEmpty());
    Datas().CancelEdit();

    EXPECT_FALSE(Datas().StartEdit(21, 1));
    EXPECT_FALSE(Datas().StartEdit(0, 1));

    dialog->cmdOK_Click();
    EXPECT_EQ(instrument.CalCheck(), 1);
    EXPECT_EQ(FlaggedItems(instrument), std::vector<int>{5});
}

TEST_F(FsDialogTest, TypedRowsRefuseOutOfRangeEntriesAndLetters) {
    struct Case {
        int row;
        const char* text;
        bool accepted;
    };
    for (const Case& c : {Case{3, "0", false}, Case{3, "366", false}, Case{3, "", false}, Case{3, "365", true},
                          Case{9, "61", false}, Case{9, "0", true}}) {
        ASSERT_TRUE(Datas().StartEdit(c.row, 1));
        Datas().EditorChanged(QString::fromUtf8(c.text), 0, 0);
        EXPECT_EQ(Datas().CommitEdit(), c.accepted) << c.row << " '" << c.text << "'";
        EXPECT_EQ(Datas().IsEditing(), !c.accepted);
        Datas().CancelEdit();
    }

    // Keys: a letter is dropped, digits go in.
    ASSERT_TRUE(Datas().StartEdit(9, 1));
    EXPECT_FALSE(Datas().TypeKey(u'a'));
    EXPECT_TRUE(Datas().TypeKey(u'4'));
    EXPECT_TRUE(Datas().TypeKey(u'5'));
    EXPECT_EQ(Datas().EditText(), QStringLiteral("45"));

    // OK with a refused entry in the editor stays open and copies nothing.
    Datas().EditorChanged(QStringLiteral("99"), 2, 0);
    dialog->cmdOK_Click();
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    EXPECT_TRUE(Datas().IsEditing());
    EXPECT_TRUE(FlaggedItems(instrument).empty());
}

TEST_F(FsDialogTest, ConfirmingTheSameCalibrationLimitStillCopiesIt) {
    ASSERT_TRUE(Enter(Datas(), 3, 1, QStringLiteral("180")));
    dialog->cmdOK_Click();
    EXPECT_EQ(FlaggedItems(instrument), std::vector<int>{3});
    EXPECT_EQ(instrument.CalLimit(), 180);
}

TEST_F(FsDialogTest, CancelDiscardsEdits) {
    ASSERT_TRUE(Enter(Datas(), 1, 1, QStringLiteral("Reset")));
    ASSERT_TRUE(Enter(Stations(), 0, 1, QStringLiteral("X")));
    dialog->cmdCancel_Click();
    EXPECT_EQ(dialog->result(), QDialog::Rejected);
    EXPECT_EQ(instrument.AlarmMode(), 1);
    EXPECT_EQ(instrument.StationList(0), QString(16, u'-'));
    EXPECT_TRUE(FlaggedItems(instrument).empty());
}

TEST_F(FsDialogTest, StationNamesAreFilteredJudgedAndCounted) {
    GridModel& grid = Stations();
    QLabel& label = *dialog->Station->lblSpaceCount;

    // Typing over the selected 16-dash name; the 17th character is refused, backspace works.
    ASSERT_TRUE(grid.StartEdit(0, 1));
    EXPECT_TRUE(grid.TypeKey(u' '));
    grid.TypeText(QStringLiteral("  ab"));
    EXPECT_EQ(label.text(), QStringLiteral("(Left space 3)"));
    EXPECT_FALSE(grid.TypeKey(u','));
    grid.TypeText(QStringLiteral("cdefghijklmn"));
    EXPECT_EQ(grid.EditText(), QStringLiteral("   abcdefghijklm"));
    EXPECT_FALSE(grid.TypeKey(u'z'));
    EXPECT_TRUE(grid.TypeKey(QChar(8)));
    EXPECT_EQ(grid.EditText().size(), 15);
    ASSERT_TRUE(grid.CommitEdit());
    EXPECT_EQ(grid.CellBackColor(0, 1), White);

    grid.SetCurrentCell(1, 0);
    EXPECT_EQ(label.text(), QString());
    grid.SetTextMatrix(2, 1, QStringLiteral("    "));
    grid.SetCurrentCell(2, 1);
    EXPECT_EQ(label.text(), QStringLiteral("(Left space 4)"));

    // A name pasted past the filter is marked red and refuses OK with the message.
    ASSERT_TRUE(Enter(grid, 3, 1, QStringLiteral("A,B")));
    EXPECT_EQ(grid.CellBackColor(3, 1), Red);
    dialog->cmdOK_Click();
    EXPECT_NE(dialog->result(), QDialog::Accepted);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].text, QStringLiteral("Improper data found  ( Station List )"));
    EXPECT_EQ(dialogs.shown[0].style, vbCritical);
    EXPECT_EQ(dialogs.shown[0].title, QStringLiteral("MT-52  - Data Logger Management Program"));
    EXPECT_TRUE(FlaggedItems(instrument).empty());

    ASSERT_TRUE(Enter(grid, 3, 1, QStringLiteral("AB")));
    dialog->cmdOK_Click();
    EXPECT_EQ(dialog->result(), QDialog::Accepted);
    EXPECT_EQ(instrument.StationList(0), QStringLiteral("   abcdefghijkl"));
    EXPECT_EQ(instrument.StationList(3), QStringLiteral("AB"));
}

class StationFileDialogTest : public FsDialogTest {
protected:
    QString Path(const char* name) { return dir.filePath(QString::fromUtf8(name)); }
    void WriteFile(const QString& path, const QByteArray& content) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(content);
    }
    QTemporaryDir dir;
};

TEST_F(StationFileDialogTest, ExportAndImportRoundTrip) {
    GridModel& grid = Stations();
    grid.SetTextMatrix(0, 1, QStringLiteral("  lead"));
    grid.SetTextMatrix(1, 1, QStringLiteral("trail "));
    const QStringList before = dialog->Station->Names();

    dialogs.files.push_back(Path("Station.csv"));
    dialog->Station->cmdStationExport_Click();
    ASSERT_EQ(dialogs.fileRequests.size(), 1u);
    EXPECT_EQ(dialogs.fileRequests[0].fileName, QStringLiteral("Station.csv"));
    EXPECT_TRUE(dialogs.fileRequests[0].filter.startsWith(QStringLiteral("Comma separated (*.csv)")));
    EXPECT_EQ(dialogs.lastText(), QStringLiteral("Export Complete"));
    ASSERT_TRUE(QFile::exists(Path("Station.csv")));

    for (int row = 0; row < StationCount; ++row)
        grid.SetTextMatrix(row, 1, QStringLiteral("x"));
    dialogs.files.push_back(Path("Station.csv"));
    dialog->Station->cmdStationImport_Click();
    EXPECT_EQ(dialog->Station->Names(), before);
    EXPECT_EQ(grid.CellBackColor(0, 1), White);
    EXPECT_EQ(grid.CellBackColor(127, 1), White);
    EXPECT_TRUE(dialog->WorkingCopy()->Change_StationList(127));

    // Imported names equal to the old ones still reach the instrument only through OK.
    dialog->cmdOK_Click();
    EXPECT_EQ(instrument.StationList(0), QStringLiteral("  lead"));
    EXPECT_EQ(instrument.StationList(5), QStringLiteral("North/5"));
}

TEST_F(StationFileDialogTest, ImportFillsTheRowsTheFileReaches) {
    WriteFile(Path("three.csv"), "7,Alpha\r\n7,bad,name\r\n7\tC\r\n");
    dialogs.files.push_back(Path("three.csv"));
    dialog->Station->cmdStationImport_Click();
    GridModel& grid = Stations();
    EXPECT_EQ(grid.TextMatrix(0, 1), QStringLiteral("Alpha"));
    EXPECT_EQ(grid.TextMatrix(1, 1), QStringLiteral("bad,name"));
    EXPECT_EQ(grid.TextMatrix(2, 1), QStringLiteral("C"));
    EXPECT_EQ(grid.TextMatrix(5, 1), QStringLiteral("North/5"));
    EXPECT_EQ(grid.CellBackColor(1, 1), Red);
    EXPECT_EQ(grid.CellBackColor(2, 1), White);
    EXPECT_FALSE(dialog->WorkingCopy()->Change_StationList(3));
    EXPECT_TRUE(dialogs.shown.empty());

    // A red name blocks the export: message, no file.
    dialogs.files.push_back(Path("out.csv"));
    dialog->Station->cmdStationExport_Click();
    EXPECT_EQ(dialogs.lastText(), QStringLiteral("Improper data found  ( Station List )"));
    EXPECT_FALSE(QFile::exists(Path("out.csv")));
}

TEST_F(StationFileDialogTest, AnEmptyFileChangesNoNameButJudgesEveryRow) {
    GridModel& grid = Stations();
    grid.SetTextMatrix(4, 1, QStringLiteral("not*judged"));
    const QStringList before = dialog->Station->Names();
    WriteFile(Path("empty.csv"), "");
    dialogs.files.push_back(Path("empty.csv"));
    dialog->Station->cmdStationImport_Click();
    EXPECT_EQ(dialog->Station->Names(), before);
    EXPECT_EQ(grid.CellBackColor(4, 1), Red);
    EXPECT_EQ(grid.CellBackColor(0, 1), White);
    EXPECT_FALSE(dialog->WorkingCopy()->Change_StationList(0));
    EXPECT_TRUE(dialogs.shown.empty());
}

TEST_F(StationFileDialogTest, FailedImportIsReportedAndLosesNothing) {
    const QStringList before = dialog->Station->Names();

    // Cancelled and unreadable files leave the grid as it was.
    dialogs.files.push_back(std::nullopt);
    dialog->Station->cmdStationImport_Click();
    dialogs.files.push_back(Path("missing.csv"));
    dialog->Station->cmdStationImport_Click();
    EXPECT_EQ(dialog->Station->Names(), before);
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_EQ(dialogs.shown[0].style, vbCritical);
    EXPECT_TRUE(dialogs.shown[0].text.startsWith(QStringLiteral("Import Failed")));

    // A line the splitter refuses: the rows before it are filled and judged, the rest kept.
    QByteArray wide = "1,A,B\r\n2,Two\r\n3";
    for (int i = 0; i < 60; ++i)
        wide += ",x";
    WriteFile(Path("wide.csv"), wide + "\r\n4,Four\r\n");
    dialogs.files.push_back(Path("wide.csv"));
    dialog->Station->cmdStationImport_Click();
    GridModel& grid = Stations();
    EXPECT_EQ(grid.TextMatrix(0, 1), QStringLiteral("A,B"));
    EXPECT_EQ(grid.CellBackColor(0, 1), Red);
    EXPECT_EQ(grid.TextMatrix(1, 1), QStringLiteral("Two"));
    EXPECT_EQ(grid.CellBackColor(1, 1), White);
    EXPECT_EQ(grid.TextMatrix(2, 1), before[2]);
    EXPECT_EQ(grid.TextMatrix(3, 1), before[3]);
    ASSERT_EQ(dialogs.shown.size(), 2u);
    EXPECT_TRUE(dialogs.shown[1].text.contains(QStringLiteral("Line 3")));
    EXPECT_FALSE(dialog->Station->CheckStationList());
}

TEST_F(StationFileDialogTest, FailedExportIsReported) {
    dialogs.files.push_back(Path("no/such/folder/Station.csv"));
    dialog->Station->cmdStationExport_Click();
    ASSERT_EQ(dialogs.shown.size(), 1u);
    EXPECT_TRUE(dialogs.shown[0].text.startsWith(QStringLiteral("Export Failed")));
    EXPECT_EQ(dialogs.shown[0].style, vbCritical);
}

TEST(FsDialogShow, RunsModallyAndReportsOk) {
    test::ResetProgramState();
    clsInstrument instrument;
    instrument.AlarmOnOff(1);
    instrument.ClearChangeFlags();
    // Once the dialog runs: choose "Off" for the alarm function and press OK.
    QTimer::singleShot(0, [] {
        auto* shown = qobject_cast<frmFsDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(shown, nullptr);
        GridModel& grid = shown->vfgDatas->Model();
        ASSERT_TRUE(grid.StartEdit(10, 1));
        grid.EditorChanged(QStringLiteral("Off"), 0, 0);
        shown->cmdOK->click();
    });
    EXPECT_TRUE(frmFsDialog::ShowFsDialog(nullptr, instrument));
    EXPECT_EQ(instrument.AlarmOnOff(), 0);
    EXPECT_TRUE(instrument.Change_AlarmOnOff());
}

}  // namespace
}  // namespace mt52
