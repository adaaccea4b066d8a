// The desktop save dialog as the exports use it: it opens on the proposed file type, answers the
// type the user picked, adds that type's extension to a bare name, and leaves the overwrite
// question to the caller when asked to.
#include "platform/gui/QtUserDialogs.h"

#include <QApplication>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTimer>

#include <gtest/gtest.h>

namespace mt52 {
namespace {

// Runs `answer` on the save dialog once it is shown.
void OnDialog(const std::function<void(QFileDialog&)>& answer) {
    QTimer::singleShot(0, [answer] {
        auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
        ASSERT_NE(dialog, nullptr);
        answer(*dialog);
    });
}

TEST(QtSaveDialog, AnswersTheChosenFileTypeAndAddsItsExtension) {
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    {
        QFile existing(dir.filePath(QStringLiteral("old.txt")));
        ASSERT_TRUE(existing.open(QIODevice::WriteOnly));
    }
    QtUserDialogs dialogs;
    FileDialogRequest request;
    request.filter = QStringLiteral("Comma csv (*.csv);;Tab csv (*.csv);;Text Comma (*.txt)");
    request.directory = dir.path();
    request.fileName = QStringLiteral("Sample.csv");
    request.filterIndex = 2;
    request.confirmOverwrite = false;

    QString opened;
    OnDialog([&](QFileDialog& d) {
        opened = d.selectedNameFilter();
        d.selectNameFilter(QStringLiteral("Text Comma (*.txt)"));
        emit d.filterSelected(QStringLiteral("Text Comma (*.txt)"));
        d.selectFile(QStringLiteral("report"));
        static_cast<QDialog&>(d).accept();
    });
    const std::optional<SaveFileChoice> choice = dialogs.SaveFile(request);
    EXPECT_EQ(opened, QStringLiteral("Tab csv (*.csv)"));
    ASSERT_TRUE(choice.has_value());
    EXPECT_EQ(choice->filterIndex, 3);
    EXPECT_EQ(choice->path, dir.filePath(QStringLiteral("report.txt")));

    // An existing file is answered without a question of the dialog's own.
    OnDialog([&](QFileDialog& d) {
        EXPECT_TRUE(d.testOption(QFileDialog::DontConfirmOverwrite));
        d.selectFile(dir.filePath(QStringLiteral("old.txt")));
        static_cast<QDialog&>(d).accept();
    });
    ASSERT_TRUE(dialogs.SaveFile(request).has_value());

    OnDialog([](QFileDialog& d) { d.reject(); });
    EXPECT_FALSE(dialogs.SaveFile(request).has_value());
}

}  // namespace
}  // namespace mt52
