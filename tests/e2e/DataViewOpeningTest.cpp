// The data view as the program assembles it, offscreen: records stored in the database are
// found in the record tree, listed, and opened by a double click on the list; the data view
// then shows the record's summary and table, with the graph filled for the Graph option. With MT52_SCREENSHOT_DIR set, pictures of
// the data view of an interval and an alarm trend are saved in both languages.
#include "common/ModuleState.h"
#include "common/ResText.h"
#include "graph/gui/uclZelGraph.h"
#include "main_window/gui/MainPages.h"
#include "main_window/gui/frmMain.h"
#include "main_window/pages/gui/BrowserPages.h"
#include "platform/EventLoop.h"
#include "platform/gui/GridView.h"
#include "platform/Twips.h"
#include "support/ColumnTexts.h"
#include "support/FakeDialogs.h"
#include "support/ProgramFolder.h"
#include "support/StubWindowLink.h"
#include "views/AlarmTable.h"
#include "views/StoredRecords.h"
#include "ProgramAssembly.h"

#include <QGroupBox>
#include <QHeaderView>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

#include <QTreeWidget>
#include <functional>

namespace mt52 {
namespace {

QTreeWidgetItem* FindItem(QTreeWidget& view, const std::function<bool(const QString& key)>& wanted) {
    std::function<QTreeWidgetItem*(QTreeWidgetItem*)> search = [&](QTreeWidgetItem* item) -> QTreeWidgetItem* {
        if (wanted(item->data(0, Qt::UserRole).toString()))
            return item;
        for (int i = 0; i < item->childCount(); ++i)
            if (QTreeWidgetItem* found = search(item->child(i)))
                return found;
        return nullptr;
    };
    for (int i = 0; i < view.topLevelItemCount(); ++i)
        if (QTreeWidgetItem* found = search(view.topLevelItem(i)))
            return found;
    return nullptr;
}

class DataViewOpening : public test::ProgramFolderTest {
protected:
    std::unique_ptr<frmMain> OpenWindow() {
        frmMainServices services = frmMainServices::Defaults();
        services.CreateLink = [](frmMain&) { return std::make_unique<test::StubWindowLink>(); };
        services.SelectCommPort = [] {};
        services.LockHolderNames = [] { return LockHolder{"PC-LAB", "tanaka"}; };
        auto window = std::make_unique<frmMain>(services);
        InstallPages(*window);
        EXPECT_TRUE(window->Form_Load());
        window->resize(1000, 700);
        window->show();
        window->Form_Activate();
        return window;
    }
    void StoreRecords() {
        test::AddIntervalTrend(1, "iv0520", 30);
        test::AddAlarmTrend(2, "al0520", 720);
    }
    // Data page, the tree folder of a kind, then a double click on the list entry with the key.
    void OpenFromTheList(frmMain& window, const QString& folderLetter, const QString& entryKey) {
        window.cmdInst[2]->click();
        StoredDataPage& data = window.StoredData();
        data.tvwLog->expandAll();
        QTreeWidgetItem* folder =
            FindItem(*data.tvwLog, [&](const QString& key) { return key.endsWith(QLatin1Char(' ') + folderLetter); });
        ASSERT_NE(folder, nullptr);
        data.tvwLog->scrollToItem(folder);
        QTest::mouseClick(data.tvwLog->viewport(), Qt::LeftButton, {}, data.tvwLog->visualItemRect(folder).center());
        QTreeWidgetItem* entry = FindItem(*data.lvwLog, [&](const QString& key) { return key == entryKey; });
        ASSERT_NE(entry, nullptr);
        const QPoint at = data.lvwLog->visualItemRect(entry).center();
        QTest::mouseClick(data.lvwLog->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(data.lvwLog->viewport(), Qt::LeftButton, {}, at);
        DoEvents(5);
    }

    test::FakeDialogs dialogs;
};

TEST_F(DataViewOpening, ADoubleClickOnAListedTrendOpensItsDataView) {
    auto window = OpenWindow();
    StoreRecords();
    ASSERT_NO_FATAL_FAILURE(OpenFromTheList(*window, "I", "1 G"));

    DataViewPage& view = window->DataView();
    EXPECT_FALSE(view.isHidden());
    EXPECT_TRUE(window->StoredData().isHidden());
    EXPECT_EQ(view.title(), "Data View(Interval Trend)");
    const GridModel& summary = view.vfgSummary->Model();
    EXPECT_EQ(summary.TextMatrix(1, 1), "iv0520");
    EXPECT_EQ(summary.TextMatrix(2, 1), "2024/05/20 12:00:00 to 2024/05/20 12:04:50");
    EXPECT_EQ(summary.TextMatrix(8, 1), "CH4(100.0%LEL)");
    EXPECT_EQ(summary.TextMatrix(9, 1), "4.5 %LEL");
    EXPECT_TRUE(view.optBrowse[0]->isChecked());
    EXPECT_FALSE(view.vfgBrowse->isHidden());
    const GridModel& table = view.vfgBrowse->Model();
    const auto row = [&table](int r) {
        QStringList texts;
        for (int c = 0; c < 4; ++c)
            texts << table.TextMatrix(r, c);
        return texts;
    };
    ASSERT_EQ(table.Rows(), 31);
    EXPECT_EQ(row(0), QStringList({"No", "Date/Time", "CH4(100.0%LEL)", "O2(25.0%)"}));
    EXPECT_EQ(row(2), QStringList({"2", "2024/05/20 12:00:10", "2.0 %LEL", "20.9 %"}));
    EXPECT_TRUE(view.zelGraph->isHidden());
    // The graph was filled as well, for the Graph option.
    EXPECT_EQ(view.zelGraph->Graph().SampleCount(), 30);
    EXPECT_TRUE(dialogs.shown.empty()) << dialogs.lastText().toStdString();

    // Return goes back to the list; an alarm trend then opens in its own view.
    view.cmdBrowse[4]->click();
    EXPECT_FALSE(window->StoredData().isHidden());
    ASSERT_NO_FATAL_FAILURE(OpenFromTheList(*window, "A", "2 K"));
    EXPECT_EQ(view.title(), "Data View(Alarm Trend)");
    EXPECT_EQ(summary.TextMatrix(1, 1), "al0520");
    EXPECT_EQ(summary.TextMatrix(2, 1), "2024/05/20 09:30:00");
    EXPECT_EQ(view.zelGraph->Graph().SampleCount(), 720);
    ASSERT_EQ(table.Rows(), 721);
    EXPECT_EQ(row(361), QStringList({"361", "2024/05/20 09:30:00", "60.0 %LEL", "20.9 %"}));

    // Scrolled so that the alarm moment shows.
    EXPECT_GT(table.TopRow(), 300);
    EXPECT_LE(table.TopRow(), 361);
}

// The Data page's record list and detail grid and the data view's summary and table, in both
// languages: no column cuts a header or cell text while its grid or
// list leaves room free, and no column is narrower than the layout makes it.
TEST_F(DataViewOpening, ColumnsShowTheirTextsWholeWhereTheGridHasRoom) {
    for (Language language : {Language::English, Language::Japanese}) {
        SetInterfaceLanguage(language);
        auto window = OpenWindow();
        const char* lang = language == Language::Japanese ? " (ja)" : " (en)";
        if (language == Language::English)
            StoreRecords();
        const std::pair<const char*, const char*> records[] = {{"I", "1 G"}, {"A", "2 K"}};
        for (const auto& [folder, entry] : records) {
            ASSERT_NO_FATAL_FAILURE(OpenFromTheList(*window, folder, entry));
            DataViewPage& view = window->DataView();
            view.cmdBrowse[3]->click();  // the summary
            DoEvents(5);
            for (const std::string& cut : test::CutColumnTexts(&view))
                ADD_FAILURE() << cut << lang;
            view.cmdBrowse[3]->click();
            view.cmdBrowse[4]->click();
            DoEvents(5);
            StoredDataPage& data = window->StoredData();
            for (const std::string& cut : test::CutColumnTexts(&data))
                ADD_FAILURE() << cut << lang;
            // The layout's widths stay the least widths the detail grid draws its columns with.
            const GridModel& detail = data.vfgLog->Model();
            for (int c = 0; c < detail.Cols(); ++c) {
                if (!data.vfgLog->isColumnHidden(c)) {
                    EXPECT_GE(data.vfgLog->columnWidth(c), TwipsToPixels(detail.ColWidth(c))) << c << lang;
                }
            }
        }
        dialogs.answers = {vbYes};
        window->close();
    }
}

// The alarm trend opened first after the start: the page is laid out for the first time when it
// shows, and row 361 still stands in the middle of the rows the table shows.
TEST_F(DataViewOpening, TheFirstOpeningOfAnAlarmTrendCentresItsAlarmMoment) {
    auto window = OpenWindow();
    StoreRecords();
    ASSERT_NO_FATAL_FAILURE(OpenFromTheList(*window, "A", "2 K"));
    GridView& grid = *window->DataView().vfgBrowse;
    const int visible = grid.viewport()->height() / grid.verticalHeader()->defaultSectionSize();
    ASSERT_GT(visible, 10);
    const int top = grid.Model().TopRow();
    EXPECT_EQ(top, AlarmMomentTopRow(721, visible));
    EXPECT_NEAR(AlarmMomentRow - top, (visible - 1) / 2.0, 1.0) << "top " << top << " of " << visible << " rows";
}

// Pictures of the data view of an interval trend and an alarm trend, summary shown, as the table
// and as the graph, in both languages, into the folder MT52_SCREENSHOT_DIR names.
TEST_F(DataViewOpening, PicturesOfTheDataView) {
    const QByteArray shots = qgetenv("MT52_SCREENSHOT_DIR");
    if (shots.isEmpty())
        GTEST_SKIP() << "MT52_SCREENSHOT_DIR is not set";
    for (Language language : {Language::English, Language::Japanese}) {
        SetInterfaceLanguage(language);
        auto window = OpenWindow();
        if (language == Language::English)
            StoreRecords();
        const std::pair<const char*, const char*> records[] = {{"I", "1 G"}, {"A", "2 K"}};
        for (const auto& [folder, entry] : records) {
            ASSERT_NO_FATAL_FAILURE(OpenFromTheList(*window, folder, entry));
            DataViewPage& view = window->DataView();
            view.cmdBrowse[3]->click();  // the summary
            const QString name = QStringLiteral("%1/%2-dataview-%3").arg(QString::fromLocal8Bit(shots), GetResText(101),
                                                                         folder == QStringLiteral("I") ? "interval" : "alarm");
            DoEvents(5);
            window->grab().save(name + QStringLiteral("-table.png"));
            view.optBrowse[1]->click();
            DoEvents(5);
            window->grab().save(name + QStringLiteral("-graph.png"));
            view.optBrowse[0]->click();
            view.cmdBrowse[3]->click();
            view.cmdBrowse[4]->click();
        }
        dialogs.answers = {vbYes};
        window->close();
    }
}

}  // namespace
}  // namespace mt52
