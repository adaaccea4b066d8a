#pragma once
// What the reports that read their record from the database by number share: the record's
// Log_Head row, which must be there before anything prints, and the "Property"/"Value" block of
// the instrument's identity that opens their first page.
#include "platform/Database.h"
#include "platform/Recordset.h"
#include "platform/Types.h"
#include "printing/PrintTarget.h"
#include "printing/ReportForm.h"

namespace mt52 {

// The Log_Head row of record `seqNo`. Raises ErrDatabase naming the number (text 20610) when no
// row has it, so a report of a deleted record fails before it prints a line.
Recordset RequireLogHead(Database& db, Long seqNo);

// The block of a stored record's identity: the caption "Property" / "Value" (centred when
// `centredCaption`, else left-aligned) with its rule and a blank line, then serial number, station
// ID, user ID and last download from the Log_Head row, each label in column 0 and its value in
// column 2, left-aligned. A Null column prints as an empty cell.
void PrintPropertyBlock(PrintTarget& target, ReportForm& form, const Recordset& logHead, bool centredCaption);

// A stored date in the reports' "General Date" form; an empty text for a Null column.
QString StoredDateText(const Recordset& rows, const QString& column);

}  // namespace mt52
