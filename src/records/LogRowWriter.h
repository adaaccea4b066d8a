#pragma once
// Writing the rows of a record: a row's columns and values in order, inserted with bound
// values, and the Log_Head pieces the writers of every record kind share.
#include "platform/Database.h"
#include "platform/Types.h"
#include "platform/Variant.h"

#include <QString>
#include <QStringList>
#include <vector>

namespace mt52 {

struct GasSlot;
struct LogHeader;

class RowValues {
public:
    RowValues& Add(const QString& column, const Variant& value);
    // Inserts the row into the table; the statement names the columns in the order added.
    void Insert(Database& db, const QString& table) const;

private:
    QStringList columns_;
    std::vector<Variant> values_;
};

// A text that may be blank is stored as one blank rather than as an empty text, as every
// stored record holds it.
QString MayBeBlank(const QString& text);

// The identity a record is stored under: the three texts through BlankToDashes.
struct StoredIdentity {
    QString UserID;
    QString StationID;
    QString SerialNo;
};
StoredIdentity IdentityOf(const QString& userId, const QString& stationId, const QString& serialNo);

// The key of the first Log_Head row of an instrument identity and log kind; -1 when there is
// none.
Long FindLogHeadKey(Database& db, const StoredIdentity& identity, Long kind);
// Moves the Dates of an instrument's Log_Head rows of a kind to the moment given.
void TouchLogHead(Database& db, const StoredIdentity& identity, Long kind, const Date& when);

// The header columns of a written record, after SeqNo, Names, Dates (and Last) and LogNo:
// identity, kind, ROM number, interval, sampling, the folder, the count, lunch break and range
// limits of the header.
void AddLogHeadColumns(RowValues& row, const StoredIdentity& identity, Long kind, Long romNumber,
                       const LogHeader& header, const QString& folderId);
// The same for an event or history record, which is filed under no month: FolderID "-----".
void AddLogHeadColumns(RowValues& row, const StoredIdentity& identity, Long kind, Long romNumber,
                       const LogHeader& header);
// The Log_Head column group of a gas slot (group 1 for slot 0).
void AddGasGroupColumns(RowValues& row, int group, const GasSlot& slot);

}  // namespace mt52
