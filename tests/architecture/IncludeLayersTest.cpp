// The source folders form layers: a folder includes only itself and the folders below it, and
// code outside a gui/ folder includes no gui/ folder (it goes into the display-free library).
#include "IncludeLayers.h"
#include "support/Files.h"

#include <QDir>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace mt52 {
namespace {

TEST(IncludeLayersTest, EveryIncludeOfTheProgramFollowsTheLayers) {
    const QString root = QStringLiteral(MT52_SOURCE_DIR);
    const std::vector<test::IncludeViolation> violations = test::FindLayerViolations(root, {"src", "app"});
    for (const test::IncludeViolation& v : violations)
        ADD_FAILURE() << v.file.toStdString() << ":" << v.line << " includes " << v.included.toStdString() << " ("
                      << v.reason.toStdString() << ")";
    EXPECT_TRUE(violations.empty());
}

TEST(IncludeLayersTest, TheTableRefusesAnArrowBackUp) {
    struct Case {
        const char* file;
        const char* included;
        bool allowed;
    };
    const Case cases[] = {
        {"common/IniSettings.cpp", "instrument/clsInstrument.h", false},
        {"common/Foo.cpp", "common/Bar.h", true},
        {"common/Foo.cpp", "platform/Types.h", true},
        {"platform/Foo.cpp", "common/ModuleState.h", false},
        {"instrument/Foo.cpp", "records/clsHistory.h", false},
        {"link/DumpSnapshots.cpp", "records/clsSnapShot.h", true},
        {"records/Foo.cpp", "link/LinkCore.h", false},
        {"graph/Foo.cpp", "link/LinkCore.h", true},
        {"graph/Foo.cpp", "views/Bar.h", false},
        {"printing/Foo.cpp", "graph/Bar.h", true},
        {"views/Foo.cpp", "printing/Bar.h", true},
        {"views/Foo.cpp", "browser/Bar.h", false},
        {"browser/Foo.cpp", "views/Bar.h", true},
        {"browser/Foo.cpp", "main_window/PageContext.h", false},
        {"main_window/gui/frmMain.cpp", "browser/gui/Tree.h", true},
        {"main_window/gui/frmMain.cpp", "main_window/pages/DownloadSequence.h", false},
        {"main_window/pages/Foo.cpp", "main_window/gui/DownloadPage.h", false},
        {"main_window/pages/gui/Foo.cpp", "main_window/gui/DownloadPage.h", true},
        {"main_window/pages/Foo.cpp", "main_window/PageContext.h", true},
        {"app/ProgramAssembly.cpp", "main_window/pages/gui/Foo.h", true},
        // The display-free library includes no widget code, even from its own folder.
        {"link/Foo.cpp", "link/gui/frmUpload.h", false},
        {"link/gui/Foo.cpp", "link/gui/frmUpload.h", true},
        {"link/gui/Foo.cpp", "common/gui/WindowMetrics.h", true},
        // A folder the table does not know is refused until it is given its place.
        {"reports/Foo.cpp", "platform/Types.h", false},
        {"common/Foo.cpp", "reports/Bar.h", false},
    };
    for (const Case& c : cases) {
        QString reason;
        EXPECT_EQ(test::IncludeAllowed(QString::fromLatin1(c.file), QString::fromLatin1(c.included), &reason), c.allowed)
            << c.file << " -> " << c.included << ": " << reason.toStdString();
    }
}

TEST(IncludeLayersTest, AnIncludeFromCommonToInstrumentIsFoundInTheFiles) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    ASSERT_TRUE(QDir(dir.path()).mkpath("src/common"));
    ASSERT_TRUE(QDir(dir.path()).mkpath("src/instrument"));
    ASSERT_TRUE(test::WriteFile(dir.filePath("src/common/Settings.cpp"),
                                "#include \"common/Settings.h\"\n#include <QString>\n  #  include \"instrument/clsInstrument.h\"\n"));
    ASSERT_TRUE(test::WriteFile(dir.filePath("src/instrument/clsInstrument.h"), "#include \"common/Settings.h\"\n"));
    const auto violations = test::FindLayerViolations(dir.path(), {"src"});
    ASSERT_EQ(violations.size(), 1u);
    EXPECT_EQ(violations[0].file, "src/common/Settings.cpp");
    EXPECT_EQ(violations[0].line, 3);
    EXPECT_EQ(violations[0].included, "instrument/clsInstrument.h");
}

}  // namespace
}  // namespace mt52
