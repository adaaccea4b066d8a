#pragma once
// The record table of a snapshot (kind 11): one row under the heading with the reading of
// gas slot 0 as the instrument reported it.
namespace mt52 {

class GridModel;
class clsSnapShot;

// Three columns, "No", "Date/Time" and the caption of gas slot 0; the reading is the
// instrument's own text and unit ("-----" or "*****" for its no-data marks), with the gas's
// unit added when the reported unit is missing.
void FillSnapShotTable(const clsSnapShot& record, GridModel& table);

}  // namespace mt52
