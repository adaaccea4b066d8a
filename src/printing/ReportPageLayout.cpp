#include "printing/ReportPageLayout.h"

#include "platform/Clock.h"
#include "platform/Numbers.h"
#include "platform/OleDate.h"
#include "platform/RuntimeError.h"
#include "records/RecordFrame.h"
#include "records/clsAlarm.h"

namespace mt52 {

QString ReportKindText(const ReportForm& form) {
    switch (form.Request().kind) {
    case ReportKind::IntervalTrend: return QStringLiteral("  (Interval Trend)");
    case ReportKind::AlarmTrend: {
        const clsAlarm& alarm = RequiredRecord(form.Request().alarm, "alarm-trend");
        return alarm.GasBaseInfo(LogHeaderField::Sampling).toLong() == 2 ? QStringLiteral("  (Interval Trend)")
                                                                         : QStringLiteral("  (Alarm Trend)");
    }
    case ReportKind::CalibrationHistory: return QStringLiteral("  (Calibration History)");
    case ReportKind::LastCalibration: return QStringLiteral("  (Last Calibration)");
    case ReportKind::AlarmEvent: return QStringLiteral("  (Alarm Event)");
    case ReportKind::TroubleEvent: return QStringLiteral("  (Trouble Event)");
    case ReportKind::PowerEvent: return QStringLiteral("  (Power Event)");
    case ReportKind::SensorHistory: return QStringLiteral("  (Sensor History)");
    case ReportKind::BarHole: return QStringLiteral("  (Bar Hole)");
    case ReportKind::BumpTest: return QStringLiteral("  (Bump Test)");
    case ReportKind::SnapShot: return QStringLiteral("  (Snap Shot)");
    default: return QString();
    }
}

void PrintPageHeader(PrintTarget& target, const ReportForm& form) {
    target.ForeColor = 0;
    if (target.IsPrinter())
        target.FontName = form.Options().font.name;
    target.FontSize = 12;
    target.FontBold = true;
    target.CurrentX = 0.02 * target.ScaleWidth() + 10;
    target.CurrentY = 10;
    target.Print(form.Options().modelName + QStringLiteral(" Data Logger"), false);
    target.Print(ReportKindText(form), false);
    target.FontSize = 9;
    const QString now = GeneralDate(Now());
    target.CurrentX = target.ScaleWidth() - target.TextWidth(now) - PageRightMargin;
    target.Print(now, true);
    target.FontBold = false;
}

namespace {

// Offset of a text from its column's left boundary under an alignment code.
double AlignOffset(Long code, const QString& text, double columnWidth, double textWidth) {
    const double centred = (columnWidth - textWidth) / 2;
    const double right = columnWidth - textWidth - 0.2 * columnWidth;
    const QString trimmed = text.trimmed();
    switch (code) {
    case CellAlign::Center: return centred;
    case CellAlign::Right: return right;
    case CellAlign::NumberRight: return IsNumeric(trimmed) ? right : centred;
    case CellAlign::DashesCenter:
        return text.contains(QStringLiteral("---")) || IsNumeric(trimmed) ? centred : 0;
    default: return 0;
    }
}

}  // namespace

void PrintTableRow(PrintTarget& target, const ReportForm& form, const QStringList& cells) {
    if (target.TargetKind() == PrintTarget::Kind::Other)
        return;
    const auto advance = static_cast<Single>(1.1 * target.TextHeight(QStringLiteral("W")));
    target.CurrentX = form.ColumnX[0];
    for (int i = 0; i < cells.size(); ++i) {
        if (i >= ReportForm::Columns)
            Raise(ErrSubscript, QStringLiteral("A report row has more than %1 cells.").arg(ReportForm::Columns));
        const Long code = form.ColumnAlign[i];
        double offset = 0;
        if (code != CellAlign::Left) {
            if (i + 1 >= ReportForm::Columns)
                Raise(ErrSubscript, QStringLiteral("The last report column can only be left-aligned."));
            offset = AlignOffset(code, cells[i], form.ColumnX[i + 1] - form.ColumnX[i], target.TextWidth(cells[i]));
        }
        target.CurrentX = form.ColumnX[i] + offset;
        target.Print(cells[i], false);
    }
    target.CurrentY += advance;
}

void PrintBlankLine(PrintTarget& target, const ReportForm& form) { PrintTableRow(target, form, {QString()}); }

void PrintRule(PrintTarget& target, double drawWidth) {
    target.DrawWidth = drawWidth;
    target.CurrentX = 0;
    const double y = target.CurrentY + 30;
    target.Line(0, y, target.ScaleWidth(), y, 0);
    target.DrawWidth = 1;
}

void StartContinuationPage(PrintTarget& target, const ReportForm& form) {
    target.NewPage();
    PrintPageHeader(target, form);
    target.CurrentY = 0.1 * target.ScaleWidth();
}

QString WithUnit(const QString& text, const QString& unit) {
    return IsNumeric(text) ? QStringLiteral(" ") + text + unit : text;
}

}  // namespace mt52
