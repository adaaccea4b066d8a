#include "browser/LogList.h"

#include "common/ResText.h"
#include "common/TextHelpers.h"
#include "platform/Database.h"
#include "platform/VbString.h"

#include <QHash>
#include <algorithm>

namespace mt52 {

namespace {

std::vector<LogListColumn> FolderColumns() {
    return {{QStringLiteral("1 C"), QStringLiteral("DataName"), 0.30},
            {QStringLiteral("2 C"), QStringLiteral("Type"), 0.25},
            {QStringLiteral("3 C"), QStringLiteral("Date/Time"), 0.44}};
}

std::vector<LogListColumn> EntryColumns() {
    return {{QStringLiteral("1 C"), QStringLiteral("Name"), 0.25},     {QStringLiteral("2 C"), QStringLiteral("SerialNo"), 0.16},
            {QStringLiteral("3 C"), QStringLiteral("StationID"), 0.16}, {QStringLiteral("4 C"), QStringLiteral("UserID"), 0.15},
            {QStringLiteral("5 C"), QStringLiteral("Date/Time"), 0.27}, {QStringLiteral("6 C"), QStringLiteral("Gas"), 0.20},
            {QStringLiteral("7 C"), QStringLiteral("Data"), 0.20}};
}

// The caption of the first column over child folders of this letter; nullopt keeps it.
std::optional<QString> FolderCaption(const QString& letter) {
    if (letter == NodeLetter::Serial)
        return GetResText(5608);
    if (letter == NodeLetter::Station)
        return GetResText(5609);
    if (letter == NodeLetter::User)
        return GetResText(5610);
    if (letter == NodeLetter::Month)
        return QStringLiteral("(MM/YY)");
    if (IsKindFolderLetter(letter))
        return GetResText(5667);
    return std::nullopt;
}

LogListing FolderListing(const LogTree& tree, const QString& key) {
    LogListing listing;
    listing.ListKind = LogListing::Kind::Folders;
    listing.Columns = FolderColumns();
    const LogTree::Node* node = tree.Find(key);
    if (!node)
        return listing;
    for (int childIndex : node->Children) {
        const LogTree::Node& child = tree.At(childIndex);
        LogListItem item;
        item.Key = child.Key;
        item.LargeIcon = ClosedFolderIcon;
        item.SmallIcon = OpenFolderIcon;
        if (auto caption = FolderCaption(child.Letter)) {
            listing.Columns[0].Caption = *caption;
            item.Text = child.Text;
        }
        item.Cells = QStringList{QString(), QString()};
        listing.Items.push_back(std::move(item));
    }
    return listing;
}

// The gas texts of the fields GasName, FullScale, Unit and Gasval of a row.
SnapShotGasText GasTextOf(const Variant& gasName, const Variant& fullScale, const Variant& unit, const Variant& gasval) {
    const QString unitText = Trim(TextOf(unit));
    return {Trim(TextOf(gasName)) + u'(' + Trim(TextOf(fullScale)) + unitText + u')', Trim(TextOf(gasval)) + unitText};
}

LogListing EntryListing(const LogTree& tree, const QString& key, const RecordKind& kind, Database& db) {
    LogListing listing;
    listing.ListKind = LogListing::Kind::Entries;
    listing.Columns = EntryColumns();
    listing.Sorted = true;
    const std::optional<LogNodeCondition> condition = tree.Condition(key);
    if (!condition)
        return listing;

    // Both reads go row by row, keeping only what the list shows; columns are read by their
    // places in the statements. First the first SnapShot row of every listed entry.
    QHash<Long, SnapShotGasText> gasTexts;
    db.forEachRow(QStringLiteral("SELECT RelNo, GasName, FullScale, Unit, Gasval FROM SnapShot WHERE RelNo IN "
                                 "(SELECT SeqNo FROM Log_Head%1) ORDER BY SeqNo")
                      .arg(condition->Where()),
                  condition->Values, [&gasTexts](const RowReader& row) {
                      const Variant relNo = row.value(0);
                      if (relNo.isNumeric() && !gasTexts.contains(relNo.toLong()))
                          gasTexts.insert(relNo.toLong(),
                                          GasTextOf(row.value(1), row.value(2), row.value(3), row.value(4)));
                  });

    const QString letter = QString(QLatin1Char(kind.FolderLetter));
    db.forEachRow(
        QStringLiteral("SELECT SeqNo, Names, SerialNo, StationID, UserID, Dates, Sampling FROM Log_Head%1 ORDER BY SeqNo")
            .arg(condition->Where()),
        condition->Values, [&](const RowReader& row) {
            listing.FoundRows = true;
            const Variant sampling = row.value(6);
            QString icon = QLatin1String(kind.IconKey);
            if (letter == QLatin1String("A") && (!sampling.isNumeric() || sampling.toLong() == 2))
                return;  // an alarm trend sampled like an interval trend is not listed here
            if (letter == QLatin1String("I")) {
                if (!sampling.isNumeric() || sampling.toLong() < 0 || sampling.toLong() > 2)
                    return;
                icon = IntervalIconKey(sampling.toLong());
            }
            const Variant seqNo = row.value(0);
            if (!seqNo.isNumeric())
                return;
            LogListItem item;
            item.Key = EntryKey(seqNo.toLong(), kind);
            item.Text = Trim(TextOf(row.value(1)));
            item.SmallIcon = icon;
            item.LargeIcon = icon;
            const Variant dates = row.value(5);
            const SnapShotGasText gas = gasTexts.value(seqNo.toLong());
            item.Cells = QStringList{TextOf(row.value(2)), TextOf(row.value(3)), TextOf(row.value(4)),
                                     dates.isDate() ? GeneralDate(dates.toDate()) : TextOf(dates), gas.Gas, gas.Data};
            listing.Items.push_back(std::move(item));
        });
    SortListItems(listing.Items, true);
    return listing;
}

}  // namespace

std::optional<LogListing> ListLogNode(const LogTree& tree, const QString& key, Database& db) {
    const QString letter = LastWord(key);
    if (IsGroupingLetter(letter))
        return FolderListing(tree, key);
    if (const RecordKind* kind = KindOfFolderLetter(letter))
        return EntryListing(tree, key, *kind, db);
    return std::nullopt;
}

SnapShotGasText GetSnapShotGasText(Database& db, Long seqNo) {
    Recordset rs = db.query(
        QStringLiteral("SELECT GasName, FullScale, Unit, Gasval FROM SnapShot WHERE RelNo = ? ORDER BY SeqNo LIMIT 1"),
        {seqNo});
    return rs.isEmpty() ? SnapShotGasText{} : GasTextOf(rs.field(0), rs.field(1), rs.field(2), rs.field(3));
}

void SortListItems(std::vector<LogListItem>& items, bool ascending) {
    std::stable_sort(items.begin(), items.end(), [ascending](const LogListItem& a, const LogListItem& b) {
        const int order = QString::compare(a.Text, b.Text, Qt::CaseInsensitive);
        return ascending ? order < 0 : order > 0;
    });
}

}  // namespace mt52
