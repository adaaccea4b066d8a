#include "views/SampleFileExport.h"

#include "common/ResText.h"
#include "platform/GridModel.h"
#include "platform/RuntimeError.h"
#include "platform/UserDialogs.h"

#include <QFileInfo>
#include <QSaveFile>

namespace mt52 {

namespace {

// The export kinds whose builder streams its lines into the open file.
bool StreamsIntoFile(int logType) { return logType == 1 || logType == 9; }

}  // namespace

QString ProposedSampleExportPath(const QString& lastExportFile, const QString& startDir, ExportForm form) {
    const QString extension = form == ExportForm::Bitmap ? QStringLiteral("bmp") : QStringLiteral("csv");
    if (lastExportFile.isEmpty()) {
        QString path = startDir;
        if (!path.endsWith(u'/'))
            path += u'/';
        return path + (form == ExportForm::Bitmap ? QStringLiteral("Sample.bmp") : QStringLiteral("Sample.csv"));
    }
    if (lastExportFile.right(3).toUpper() == extension.toUpper())
        return lastExportFile;
    return lastExportFile.left(std::max<qsizetype>(0, lastExportFile.size() - 3)) + extension;
}

int SampleExportFileTypes(int logType, const GridModel* table) {
    switch (logType) {
    case 1:
        if (table && table->Rows() > 0 && table->Cols() > 2 &&
            table->TextMatrix(0, 2).contains(QStringLiteral("%LEL"), Qt::CaseSensitive))
            return TrendLelFileTypes;
        return TrendUnitFileTypes;
    case 2:
        return TrendLelFileTypes;
    default:
        return TextFileTypes;
    }
}

QString SaveDialogFilter(const QString& fileTypes) {
    const QStringList parts = fileTypes.split(u'|');
    QStringList descriptions;
    for (qsizetype i = 0; i < parts.size(); i += 2) {
        const QString description = parts.at(i).trimmed();
        if (!description.isEmpty())
            descriptions << description;
    }
    return descriptions.join(QStringLiteral(";;"));
}

int SampleTextFilterIndex(int fileTypesId, int chosenIndex) {
    if (fileTypesId == TrendUnitFileTypes && chosenIndex == FirstUnitColumnFilter)
        return 5;
    return chosenIndex;
}

bool WriteFileSafely(const QString& path, const std::function<bool(QIODevice&, QString& error)>& write,
                     QString& error) {
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        error = file.errorString();
        return false;
    }
    bool written = false;
    try {
        written = write(file, error);
    } catch (const RuntimeError& e) {
        error = e.description();
        written = false;
    } catch (const std::exception& e) {
        error = QString::fromLocal8Bit(e.what());
        written = false;
    }
    if (!written) {
        if (error.isEmpty())
            error = file.errorString();
        file.cancelWriting();
        return false;
    }
    if (!file.commit()) {
        error = file.errorString();
        return false;
    }
    return true;
}

bool WriteSampleTextFile(const DataSampleSource& source, int filterIndex, const QString& path, QString& error,
                         const std::function<void()>& yield) {
    const QChar separator = DataSampleSeparator(filterIndex);
    return WriteFileSafely(
        path,
        [&](QIODevice& device, QString& writeError) {
            if (StreamsIntoFile(source.logType)) {
                MakeDataSampleText(source, separator, filterIndex, &device, yield);
                return true;
            }
            const QByteArray bytes = (MakeDataSampleText(source, separator, filterIndex) + QStringLiteral("\r\n")).toUtf8();
            if (device.write(bytes) != bytes.size()) {
                writeError = device.errorString();
                return false;
            }
            return true;
        },
        error);
}

std::optional<ChosenExportFile> ChooseExportFile(int fileTypesId, ExportForm form, const QString& lastExportFile,
                                                 const QString& startDir, ExportOutcome& outcome) {
    const QString proposed = ProposedSampleExportPath(lastExportFile, startDir, form);
    FileDialogRequest request;
    request.filter = SaveDialogFilter(GetResText(fileTypesId));
    request.directory = QFileInfo(proposed).path();
    request.fileName = QFileInfo(proposed).fileName();
    request.filterIndex = 1;
    request.confirmOverwrite = false;
    const std::optional<SaveFileChoice> choice = Dialogs().SaveFile(request);
    if (!choice) {
        outcome = ExportOutcome::Cancelled;
        return std::nullopt;
    }
    if (QFileInfo::exists(choice->path) &&
        MsgBox(GetResText(5307), vbYesNo | vbQuestion, GetResText(5308)) != vbYes) {
        outcome = ExportOutcome::Declined;
        return std::nullopt;
    }
    return ChosenExportFile{choice->path, choice->filterIndex};
}

namespace {

// Runs the busy hooks around a write, ending them also when the write raises.
class BusyWhileWriting {
public:
    explicit BusyWhileWriting(const ExportBusyHooks& hooks) : hooks_(hooks) {
        if (hooks_.begin)
            hooks_.begin();
    }
    ~BusyWhileWriting() {
        if (hooks_.end)
            hooks_.end();
    }
    BusyWhileWriting(const BusyWhileWriting&) = delete;
    BusyWhileWriting& operator=(const BusyWhileWriting&) = delete;

private:
    const ExportBusyHooks& hooks_;
};

ExportOutcome Finish(bool written, const QString& path, const QString& error, QString& lastExportFile) {
    if (!written) {
        MsgBox(GetResText(5388, {path, error}), vbOKOnly | vbCritical, GetResText(5385));
        return ExportOutcome::Failed;
    }
    lastExportFile = path;
    return ExportOutcome::Written;
}

}  // namespace

ExportOutcome ExportSampleText(const DataSampleSource& source, const GridModel* table, QString& lastExportFile,
                               const QString& startDir, const ExportBusyHooks& hooks, int* writtenFilterIndex) {
    const int fileTypes = SampleExportFileTypes(source.logType, table);
    ExportOutcome outcome = ExportOutcome::Cancelled;
    const std::optional<ChosenExportFile> file = ChooseExportFile(fileTypes, ExportForm::Text, lastExportFile, startDir, outcome);
    if (!file)
        return outcome;
    const int filterIndex = SampleTextFilterIndex(fileTypes, file->chosenIndex);
    bool written = false;
    QString error;
    {
        BusyWhileWriting busy(hooks);
        written = WriteSampleTextFile(source, filterIndex, file->path, error, hooks.yield);
    }
    const ExportOutcome result = Finish(written, file->path, error, lastExportFile);
    if (result == ExportOutcome::Written && writtenFilterIndex)
        *writtenFilterIndex = filterIndex;
    return result;
}

ExportOutcome ExportBitmap(const std::function<bool(QIODevice&)>& writeBitmap, QString& lastExportFile,
                           const QString& startDir) {
    ExportOutcome outcome = ExportOutcome::Cancelled;
    const std::optional<ChosenExportFile> file =
        ChooseExportFile(BitmapFileTypes, ExportForm::Bitmap, lastExportFile, startDir, outcome);
    if (!file)
        return outcome;
    QString error;
    const bool written = WriteFileSafely(
        file->path, [&](QIODevice& device, QString&) { return writeBitmap(device); }, error);
    return Finish(written, file->path, error, lastExportFile);
}

}  // namespace mt52
