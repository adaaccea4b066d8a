#pragma once
// clsInstrument: the in-memory settings of one instrument. It holds the identity, five gas
// slots, the instrument's gas library, the device options, the instrument parameters, the
// station and user lists and the last live readings, with a change flag beside every item
// that the settings upload or the detail dialog's copy-back may have to send or copy.
// The link fills an instance from replies, the pages and dialogs edit it, the upload sends
// its flagged items. The class only stores values, normalises the identity texts, marks
// changes and resets itself; protocol, display and validation belong to its users.
//
// Property scheme: a property's get and set are same-name overloads, `T Name() const` reads
// and `void Name(T value)` writes; an indexed property takes its Integer index first,
// `GasName(i)` and `GasName(i, value)`. A set stores its value unchecked and then makes the
// item's change flag true. The change flags are properties named `Change_<item>` in the
// same scheme, so the parser, the upload and the dialogs can read and clear each one.
//
// Index rules:
// - per-gas members: slots 0 to 4; any other index reads as the type's zero value and a set
//   does nothing. `Warning`, `Alarm`, `Stel` and `Twa` reach a sixth entry (0 to 5) and raise
//   the subscript error (ErrSubscript) outside it. The per-gas flags all use 0 to 4.
// - gas library (`LI_...`): 0 to 30, the subscript error outside.
// - station and user lists and their flags: 0 to 127; outside, reads are empty/false and
//   sets do nothing.
// - `AnalogValue`: 0 to 8, `LimitValue`: 0 to 5, the subscript error outside.
// A failing member stores nothing.
#include "common/GasFormats.h"
#include "platform/OleDate.h"
#include "platform/Types.h"

#include <QString>
#include <array>

namespace mt52 {

class clsInstrument : public GasCaptionSource {
public:
    // Every member starts at its type's zero value; then the object is reset with ClearDatas.
    clsInstrument();

    // Resets the identity, options, parameters, lists and gas slots 0 to 4 to their start
    // values and clears every change flag. Leaves the gas library, gas slot 5, the live
    // values, the bump and log statistics and the members documented as "kept" unchanged.
    void ClearDatas();
    // Sets every change flag: the identity flags (user, station, serial) and all list flags
    // to pIDflag, Change_DummySerial to false, every other flag to pFlag.
    void SetChangeFlags(bool pFlag, bool pIDflag);
    void ClearChangeFlags() { SetChangeFlags(false, false); }

    // ---- Identity and status -------------------------------------------------------------
    // The four identity texts are stored trimmed; a blank text is held as dashes
    // (16 for the user and station IDs, 20 for the serial numbers).
    QString SerialNo() const { return v_.SerialNo; }
    void SerialNo(const QString& value);
    QString DummySerial() const { return v_.DummySerial; }
    void DummySerial(const QString& value);
    QString StationID() const { return v_.StationID; }
    void StationID(const QString& value);
    QString UserID() const { return v_.UserID; }
    void UserID(const QString& value);
    QString SpecNo() const { return v_.SpecNo; }
    void SpecNo(const QString& value) { v_.SpecNo = value; mark(fSpecNo); }
    QString SpecType() const { return v_.SpecType; }
    void SpecType(const QString& value) { v_.SpecType = value; mark(fSpecType); }
    Long RomNumber() const { return v_.RomNumber; }
    void RomNumber(Long value) { v_.RomNumber = value; }
    QString SUM() const { return v_.SUM; }
    void SUM(const QString& value) { v_.SUM = value; }
    Date SysDate() const { return v_.SysDate; }
    void SysDate(const Date& value) { v_.SysDate = value; }
    // PC time minus instrument time, as read with the clock.
    Date SysDateOffset() const { return v_.SysDateOffset; }
    void SysDateOffset(const Date& value) { v_.SysDateOffset = value; }
    QString Key() const { return v_.Key; }
    void Key(const QString& value) { v_.Key = value; }
    // True once the pages have completed a read into this object.
    bool CommFlags() const { return v_.CommFlags; }
    void CommFlags(bool value) { v_.CommFlags = value; }
    bool ImportFlag() const { return v_.ImportFlag; }
    void ImportFlag(bool value) { v_.ImportFlag = value; }
    // The command of the reply that failed to parse during the last read ("HC,R").
    QString FailLine() const { return v_.FailLine; }
    void FailLine(const QString& value) { v_.FailLine = value; }
    QString MessageString() const { return v_.MessageString; }
    void MessageString(const QString& value) { v_.MessageString = value; }

    bool Change_SerialNo() const { return flags_[fSerialNo]; }
    void Change_SerialNo(bool value) { flags_[fSerialNo] = value; }
    bool Change_DummySerial() const { return flags_[fDummySerial]; }
    void Change_DummySerial(bool value) { flags_[fDummySerial] = value; }
    bool Change_StationID() const { return flags_[fStationID]; }
    void Change_StationID(bool value) { flags_[fStationID] = value; }
    bool Change_UserID() const { return flags_[fUserID]; }
    void Change_UserID(bool value) { flags_[fUserID] = value; }
    bool Change_SpecNo() const { return flags_[fSpecNo]; }
    void Change_SpecNo(bool value) { flags_[fSpecNo] = value; }
    bool Change_SpecType() const { return flags_[fSpecType]; }
    void Change_SpecType(bool value) { flags_[fSpecType] = value; }

    // ---- Device options -------------------------------------------------------------------
    // A coded option holds the 0-based position of its choice in the detail dialog's list.
    Integer AlarmMode() const { return v_.AlarmMode; }
    void AlarmMode(Integer value) { v_.AlarmMode = value; mark(fAlarmMode); }
    Integer CalLimit() const { return v_.CalLimit; }
    void CalLimit(Integer value) { v_.CalLimit = value; mark(fCalLimit); }
    Integer LogOverWrite() const { return v_.LogOverWrite; }
    void LogOverWrite(Integer value) { v_.LogOverWrite = value; mark(fLogOverWrite); }
    Integer DispCalLimit() const { return v_.DispCalLimit; }
    void DispCalLimit(Integer value) { v_.DispCalLimit = value; mark(fDispCalLimit); }
    Integer CalCheck() const { return v_.CalCheck; }
    void CalCheck(Integer value) { v_.CalCheck = value; mark(fCalCheck); }
    Integer HcMode() const { return v_.HcMode; }
    void HcMode(Integer value) { v_.HcMode = value; mark(fHCMode); }
    Integer AlarmO2() const { return v_.AlarmO2; }
    void AlarmO2(Integer value) { v_.AlarmO2 = value; mark(fAlarmO2); }
    Integer LcdBackLight() const { return v_.LcdBackLight; }
    void LcdBackLight(Integer value) { v_.LcdBackLight = value; mark(fLcdBackLight); }
    Integer autoBackLight() const { return v_.autoBackLight; }
    void autoBackLight(Integer value) { v_.autoBackLight = value; mark(fautoBackLight); }
    Long FlowLevel() const { return v_.FlowLevel; }
    void FlowLevel(Long value) { v_.FlowLevel = value; mark(fFlowLevel); }
    Integer AlarmOnOff() const { return v_.AlarmOnOff; }
    void AlarmOnOff(Integer value) { v_.AlarmOnOff = value; mark(fAlarmOnOff); }
    Integer StelTwaOnOff() const { return v_.StelTwaOnOff; }
    void StelTwaOnOff(Integer value) { v_.StelTwaOnOff = value; mark(fStelTwaOnOff); }
    Integer BumpTime() const { return v_.BumpTime; }
    void BumpTime(Integer value) { v_.BumpTime = value; mark(fBumpTime); }
    Integer BumpThreshold() const { return v_.BumpThreshold; }
    void BumpThreshold(Integer value) { v_.BumpThreshold = value; mark(fBumpThreshold); }
    Integer BumpFailCalTime() const { return v_.BumpFailCalTime; }
    void BumpFailCalTime(Integer value) { v_.BumpFailCalTime = value; mark(fBumpFailCalTime); }
    Integer BumpFailAfter() const { return v_.BumpFailAfter; }
    void BumpFailAfter(Integer value) { v_.BumpFailAfter = value; mark(fBumpFailAfter); }
    Integer LcBhMode() const { return v_.LcBhMode; }
    void LcBhMode(Integer value) { v_.LcBhMode = value; mark(fLcBhMode); }
    Integer BhTime() const { return v_.BhTime; }
    void BhTime(Integer value) { v_.BhTime = value; mark(fBhTime); }
    Integer LcBuzzer() const { return v_.LcBuzzer; }
    void LcBuzzer(Integer value) { v_.LcBuzzer = value; mark(fLcBuzzer); }
    Integer AutoZero() const { return v_.AutoZero; }
    void AutoZero(Integer value) { v_.AutoZero = value; mark(fAutoZero); }
    Integer DemandZero() const { return v_.DemandZero; }
    void DemandZero(Integer value) { v_.DemandZero = value; mark(fDemandZero); }
    // Logging interval; its flag is set only when the value actually changes.
    Integer Intervals() const { return v_.Intervals; }
    void Intervals(Integer value);
    Integer FlowValue() const { return v_.FlowValue; }
    void FlowValue(Integer value) { v_.FlowValue = value; }
    Integer Confirmation() const { return v_.Confirmation; }
    void Confirmation(Integer value) { v_.Confirmation = value; mark(fConfirmation); }
    Integer UseUserPassword() const { return v_.UseUserPassword; }
    void UseUserPassword(Integer value) { v_.UseUserPassword = value; mark(fUseUserPassword); }
    QString UserPassword2() const { return v_.UserPassword2; }
    void UserPassword2(const QString& value) { v_.UserPassword2 = value; mark(fUserPassword2); }
    Integer pressOffset() const { return v_.pressOffset; }
    void pressOffset(Integer value) { v_.pressOffset = value; mark(fpressOffset); }
    Integer PeakBar() const { return v_.PeakBar; }
    void PeakBar(Integer value) { v_.PeakBar = value; mark(fPeakBar); }
    Integer BumpFunction() const { return v_.BumpFunction; }
    void BumpFunction(Integer value) { v_.BumpFunction = value; mark(fBumpFunction); }
    Integer DispBumpLimit() const { return v_.DispBumpLimit; }
    void DispBumpLimit(Integer value) { v_.DispBumpLimit = value; mark(fDispBumpLimit); }
    Integer BumpLimit() const { return v_.BumpLimit; }
    void BumpLimit(Integer value) { v_.BumpLimit = value; mark(fBumpLimit); }
    Integer BumpCheck() const { return v_.BumpCheck; }
    void BumpCheck(Integer value) { v_.BumpCheck = value; mark(fBumpCheck); }

    bool Change_AlarmMode() const { return flags_[fAlarmMode]; }
    void Change_AlarmMode(bool value) { flags_[fAlarmMode] = value; }
    bool Change_CalLimit() const { return flags_[fCalLimit]; }
    void Change_CalLimit(bool value) { flags_[fCalLimit] = value; }
    bool Change_LogOverWrite() const { return flags_[fLogOverWrite]; }
    void Change_LogOverWrite(bool value) { flags_[fLogOverWrite] = value; }
    bool Change_DispCalLimit() const { return flags_[fDispCalLimit]; }
    void Change_DispCalLimit(bool value) { flags_[fDispCalLimit] = value; }
    bool Change_CalCheck() const { return flags_[fCalCheck]; }
    void Change_CalCheck(bool value) { flags_[fCalCheck] = value; }
    bool Change_HCMode() const { return flags_[fHCMode]; }
    void Change_HCMode(bool value) { flags_[fHCMode] = value; }
    bool Change_AlarmO2() const { return flags_[fAlarmO2]; }
    void Change_AlarmO2(bool value) { flags_[fAlarmO2] = value; }
    bool Change_LcdBackLight() const { return flags_[fLcdBackLight]; }
    void Change_LcdBackLight(bool value) { flags_[fLcdBackLight] = value; }
    bool Change_autoBackLight() const { return flags_[fautoBackLight]; }
    void Change_autoBackLight(bool value) { flags_[fautoBackLight] = value; }
    bool Change_FlowLevel() const { return flags_[fFlowLevel]; }
    void Change_FlowLevel(bool value) { flags_[fFlowLevel] = value; }
    bool Change_AlarmOnOff() const { return flags_[fAlarmOnOff]; }
    void Change_AlarmOnOff(bool value) { flags_[fAlarmOnOff] = value; }
    bool Change_StelTwaOnOff() const { return flags_[fStelTwaOnOff]; }
    void Change_StelTwaOnOff(bool value) { flags_[fStelTwaOnOff] = value; }
    bool Change_BumpTime() const { return flags_[fBumpTime]; }
    void Change_BumpTime(bool value) { flags_[fBumpTime] = value; }
    bool Change_BumpThreshold() const { return flags_[fBumpThreshold]; }
    void Change_BumpThreshold(bool value) { flags_[fBumpThreshold] = value; }
    bool Change_BumpFailCalTime() const { return flags_[fBumpFailCalTime]; }
    void Change_BumpFailCalTime(bool value) { flags_[fBumpFailCalTime] = value; }
    bool Change_BumpFailAfter() const { return flags_[fBumpFailAfter]; }
    void Change_BumpFailAfter(bool value) { flags_[fBumpFailAfter] = value; }
    bool Change_LcBhMode() const { return flags_[fLcBhMode]; }
    void Change_LcBhMode(bool value) { flags_[fLcBhMode] = value; }
    bool Change_BhTime() const { return flags_[fBhTime]; }
    void Change_BhTime(bool value) { flags_[fBhTime] = value; }
    bool Change_LcBuzzer() const { return flags_[fLcBuzzer]; }
    void Change_LcBuzzer(bool value) { flags_[fLcBuzzer] = value; }
    bool Change_AutoZero() const { return flags_[fAutoZero]; }
    void Change_AutoZero(bool value) { flags_[fAutoZero] = value; }
    bool Change_DemandZero() const { return flags_[fDemandZero]; }
    void Change_DemandZero(bool value) { flags_[fDemandZero] = value; }
    bool Change_Interval() const { return flags_[fInterval]; }
    void Change_Interval(bool value) { flags_[fInterval] = value; }
    bool Change_Confirmation() const { return flags_[fConfirmation]; }
    void Change_Confirmation(bool value) { flags_[fConfirmation] = value; }
    bool Change_UseUserPassword() const { return flags_[fUseUserPassword]; }
    void Change_UseUserPassword(bool value) { flags_[fUseUserPassword] = value; }
    bool Change_UserPassword2() const { return flags_[fUserPassword2]; }
    void Change_UserPassword2(bool value) { flags_[fUserPassword2] = value; }
    bool Change_pressOffset() const { return flags_[fpressOffset]; }
    void Change_pressOffset(bool value) { flags_[fpressOffset] = value; }
    bool Change_PeakBar() const { return flags_[fPeakBar]; }
    void Change_PeakBar(bool value) { flags_[fPeakBar] = value; }
    bool Change_BumpFunction() const { return flags_[fBumpFunction]; }
    void Change_BumpFunction(bool value) { flags_[fBumpFunction] = value; }
    bool Change_DispBumpLimit() const { return flags_[fDispBumpLimit]; }
    void Change_DispBumpLimit(bool value) { flags_[fDispBumpLimit] = value; }
    bool Change_BumpLimit() const { return flags_[fBumpLimit]; }
    void Change_BumpLimit(bool value) { flags_[fBumpLimit] = value; }
    bool Change_BumpCheck() const { return flags_[fBumpCheck]; }
    void Change_BumpCheck(bool value) { flags_[fBumpCheck] = value; }

    // ---- Instrument parameters -------------------------------------------------------------
    Single Buzzerfrequency() const { return v_.Buzzerfrequency; }
    void Buzzerfrequency(Single value) { v_.Buzzerfrequency = value; mark(fBuzzerfrequency); }
    Integer PumpDutyRatio() const { return v_.PumpDutyRatio; }
    void PumpDutyRatio(Integer value) { v_.PumpDutyRatio = value; mark(fPumpDutyRatio); }
    Integer LEDDutyRatio() const { return v_.LEDDutyRatio; }
    void LEDDutyRatio(Integer value) { v_.LEDDutyRatio = value; mark(fLEDDutyRatio); }
    // SpanVal and ColorChartVal travel in one command and share Change_WS.
    Integer SpanVal() const { return v_.SpanVal; }
    void SpanVal(Integer value) { v_.SpanVal = value; mark(fWS); }
    Integer ColorChartVal() const { return v_.ColorChartVal; }
    void ColorChartVal(Integer value) { v_.ColorChartVal = value; mark(fWS); }
    Integer CSData() const { return v_.CSData; }
    void CSData(Integer value) { v_.CSData = value; mark(fCSData); }
    Integer MT() const { return v_.MT; }
    void MT(Integer value) { v_.MT = value; mark(fMT); }
    Integer EJ() const { return v_.EJ; }
    void EJ(Integer value) { v_.EJ = value; mark(fEJ); }
    QString LSstr() const { return v_.LSstr; }
    void LSstr(const QString& value) { v_.LSstr = value; mark(fLSstr); }
    Integer LSno() const { return v_.LSno; }
    void LSno(Integer value) { v_.LSno = value; mark(fLSno); }
    Integer LE() const { return v_.LE; }
    void LE(Integer value) { v_.LE = value; mark(fLE); }
    Integer BQ() const { return v_.BQ; }
    void BQ(Integer value) { v_.BQ = value; mark(fBQ); }
    Single C_White() const { return v_.C_White; }
    void C_White(Single value) { v_.C_White = value; }
    Single C_grey() const { return v_.C_grey; }
    void C_grey(Single value) { v_.C_grey = value; }
    Single C_ratio() const { return v_.C_ratio; }
    void C_ratio(Single value) { v_.C_ratio = value; }
    Single C_factor() const { return v_.C_factor; }
    void C_factor(Single value) { v_.C_factor = value; }
    Integer KeyState() const { return v_.KeyState; }
    void KeyState(Integer value) { v_.KeyState = value; }

    bool Change_Buzzerfrequency() const { return flags_[fBuzzerfrequency]; }
    void Change_Buzzerfrequency(bool value) { flags_[fBuzzerfrequency] = value; }
    bool Change_PumpDutyRatio() const { return flags_[fPumpDutyRatio]; }
    void Change_PumpDutyRatio(bool value) { flags_[fPumpDutyRatio] = value; }
    bool Change_LEDDutyRatio() const { return flags_[fLEDDutyRatio]; }
    void Change_LEDDutyRatio(bool value) { flags_[fLEDDutyRatio] = value; }
    bool Change_WS() const { return flags_[fWS]; }
    void Change_WS(bool value) { flags_[fWS] = value; }
    bool Change_CSData() const { return flags_[fCSData]; }
    void Change_CSData(bool value) { flags_[fCSData] = value; }
    bool Change_MT() const { return flags_[fMT]; }
    void Change_MT(bool value) { flags_[fMT] = value; }
    bool Change_EJ() const { return flags_[fEJ]; }
    void Change_EJ(bool value) { flags_[fEJ] = value; }
    bool Change_LSstr() const { return flags_[fLSstr]; }
    void Change_LSstr(bool value) { flags_[fLSstr] = value; }
    bool Change_LSno() const { return flags_[fLSno]; }
    void Change_LSno(bool value) { flags_[fLSno] = value; }
    bool Change_LE() const { return flags_[fLE]; }
    void Change_LE(bool value) { flags_[fLE] = value; }
    bool Change_BQ() const { return flags_[fBQ]; }
    void Change_BQ(bool value) { flags_[fBQ] = value; }

    // ---- Live values (no change flags) -----------------------------------------------------
    Integer AnalogValue(Integer index) const { return analog_[checked(index, AnalogCount)]; }
    void AnalogValue(Integer index, Integer value) { analog_[checked(index, AnalogCount)] = value; }
    Single AdrealValue() const { return v_.AdrealValue; }
    void AdrealValue(Single value) { v_.AdrealValue = value; }
    Single LimitValue(Integer index) const { return limit_[checked(index, LimitCount)]; }
    void LimitValue(Integer index, Single value) { limit_[checked(index, LimitCount)] = value; }

    // ---- Station and user lists (entries 0 to 127) -----------------------------------------
    // A set stores the text exactly as given (no trimming, no dashes).
    QString StationList(Integer index) const { return isListIndex(index) ? stations_[index].text : QString(); }
    void StationList(Integer index, const QString& value) { setListEntry(stations_, index, value); }
    bool Change_StationList(Integer index) const { return isListIndex(index) && stations_[index].changed; }
    void Change_StationList(Integer index, bool value) { if (isListIndex(index)) stations_[index].changed = value; }
    QString UserList(Integer index) const { return isListIndex(index) ? users_[index].text : QString(); }
    void UserList(Integer index, const QString& value) { setListEntry(users_, index, value); }
    bool Change_UserList(Integer index) const { return isListIndex(index) && users_[index].changed; }
    void Change_UserList(Integer index, bool value) { if (isListIndex(index)) users_[index].changed = value; }

    // ---- Gas slots (0 to 4; the four set points also 5) ------------------------------------
    QString GasName(Integer index) const { return gasGet(index, &GasSlot::GasName); }
    void GasName(Integer index, const QString& value) { gasSet(index, &GasSlot::GasName, value); }
    // Resolution of the gas's readings.
    Single GasDesit(Integer index) const { return gasGet(index, &GasSlot::GasDesit); }
    void GasDesit(Integer index, Single value) { gasSet(index, &GasSlot::GasDesit, value); }
    // Number of decimals of the gas's values (-101 for an empty slot).
    Integer GasPoint(Integer index) const { return gasGet(index, &GasSlot::GasPoint); }
    void GasPoint(Integer index, Integer value) { gasSet(index, &GasSlot::GasPoint, value, &GasSlot::Change_GasPoint); }
    QString GasUnit(Integer index) const { return gasGet(index, &GasSlot::GasUnit); }
    void GasUnit(Integer index, const QString& value) { gasSet(index, &GasSlot::GasUnit, value); }
    Single GasFullScale(Integer index) const { return gasGet(index, &GasSlot::GasFullScale); }
    void GasFullScale(Integer index, Single value) { gasSet(index, &GasSlot::GasFullScale, value); }
    bool GasEnabled(Integer index) const { return gasGet(index, &GasSlot::GasEnabled); }
    void GasEnabled(Integer index, bool value) { gasSet(index, &GasSlot::GasEnabled, value, &GasSlot::Change_GasEnable); }
    Single Warning(Integer index) const { return setPoint(index).Warning; }
    void Warning(Integer index, Single value) { setPointSet(index, &GasSlot::Warning, value, &GasSlot::Change_Warn); }
    Single Alarm(Integer index) const { return setPoint(index).Alarm; }
    void Alarm(Integer index, Single value) { setPointSet(index, &GasSlot::Alarm, value, &GasSlot::Change_Alarm); }
    Single Stel(Integer index) const { return setPoint(index).Stel; }
    void Stel(Integer index, Single value) { setPointSet(index, &GasSlot::Stel, value, &GasSlot::Change_Stel); }
    Single Twa(Integer index) const { return setPoint(index).Twa; }
    void Twa(Integer index, Single value) { setPointSet(index, &GasSlot::Twa, value, &GasSlot::Change_Twa); }
    Date CalibDate(Integer index) const { return gasGet(index, &GasSlot::CalibDate); }
    void CalibDate(Integer index, const Date& value) { gasSet(index, &GasSlot::CalibDate, value); }
    Single CalibBefore(Integer index) const { return gasGet(index, &GasSlot::CalibBefore); }
    void CalibBefore(Integer index, Single value) { gasSet(index, &GasSlot::CalibBefore, value); }
    Single CalibAfter(Integer index) const { return gasGet(index, &GasSlot::CalibAfter); }
    void CalibAfter(Integer index, Single value) { gasSet(index, &GasSlot::CalibAfter, value); }
    // Span gas concentration used by calibration.
    Single AutoCalib(Integer index) const { return gasGet(index, &GasSlot::AutoCalib); }
    void AutoCalib(Integer index, Single value) { gasSet(index, &GasSlot::AutoCalib, value, &GasSlot::Change_AutoCal); }
    Date BumpDates(Integer index) const { return gasGet(index, &GasSlot::BumpDates); }
    void BumpDates(Integer index, const Date& value) { gasSet(index, &GasSlot::BumpDates, value); }
    Single BumpResult(Integer index) const { return gasGet(index, &GasSlot::BumpResult); }
    void BumpResult(Integer index, Single value) { gasSet(index, &GasSlot::BumpResult, value); }
    Single BumpConcentration(Integer index) const { return gasGet(index, &GasSlot::BumpConcentration); }
    void BumpConcentration(Integer index, Single value) { gasSet(index, &GasSlot::BumpConcentration, value); }
    Integer Zero(Integer index) const { return gasGet(index, &GasSlot::Zero); }
    void Zero(Integer index, Integer value) { gasSet(index, &GasSlot::Zero, value, &GasSlot::Change_Zero); }
    Integer OverScale(Integer index) const { return gasGet(index, &GasSlot::OverScale); }
    void OverScale(Integer index, Integer value) { gasSet(index, &GasSlot::OverScale, value, &GasSlot::Change_OverScale); }
    Single Ratio(Integer index) const { return gasGet(index, &GasSlot::Ratio); }
    void Ratio(Integer index, Single value) { gasSet(index, &GasSlot::Ratio, value, &GasSlot::Change_Ratio); }
    Single LogMax(Integer index) const { return gasGet(index, &GasSlot::LogMax); }
    void LogMax(Integer index, Single value) { gasSet(index, &GasSlot::LogMax, value); }
    Single LogMin(Integer index) const { return gasGet(index, &GasSlot::LogMin); }
    void LogMin(Integer index, Single value) { gasSet(index, &GasSlot::LogMin, value); }
    Single LogAvr(Integer index) const { return gasGet(index, &GasSlot::LogAvr); }
    void LogAvr(Integer index, Single value) { gasSet(index, &GasSlot::LogAvr, value); }
    Date LogMaxDate(Integer index) const { return gasGet(index, &GasSlot::LogMaxDate); }
    void LogMaxDate(Integer index, const Date& value) { gasSet(index, &GasSlot::LogMaxDate, value); }
    Date LogMinDate(Integer index) const { return gasGet(index, &GasSlot::LogMinDate); }
    void LogMinDate(Integer index, const Date& value) { gasSet(index, &GasSlot::LogMinDate, value); }

    bool Change_GasPoint(Integer index) const { return gasGet(index, &GasSlot::Change_GasPoint); }
    void Change_GasPoint(Integer index, bool value) { gasSet(index, &GasSlot::Change_GasPoint, value); }
    bool Change_GasEnable(Integer index) const { return gasGet(index, &GasSlot::Change_GasEnable); }
    void Change_GasEnable(Integer index, bool value) { gasSet(index, &GasSlot::Change_GasEnable, value); }
    bool Change_Warn(Integer index) const { return gasGet(index, &GasSlot::Change_Warn); }
    void Change_Warn(Integer index, bool value) { gasSet(index, &GasSlot::Change_Warn, value); }
    bool Change_Alarm(Integer index) const { return gasGet(index, &GasSlot::Change_Alarm); }
    void Change_Alarm(Integer index, bool value) { gasSet(index, &GasSlot::Change_Alarm, value); }
    bool Change_Stel(Integer index) const { return gasGet(index, &GasSlot::Change_Stel); }
    void Change_Stel(Integer index, bool value) { gasSet(index, &GasSlot::Change_Stel, value); }
    bool Change_Twa(Integer index) const { return gasGet(index, &GasSlot::Change_Twa); }
    void Change_Twa(Integer index, bool value) { gasSet(index, &GasSlot::Change_Twa, value); }
    bool Change_AutoCal(Integer index) const { return gasGet(index, &GasSlot::Change_AutoCal); }
    void Change_AutoCal(Integer index, bool value) { gasSet(index, &GasSlot::Change_AutoCal, value); }
    bool Change_Zero(Integer index) const { return gasGet(index, &GasSlot::Change_Zero); }
    void Change_Zero(Integer index, bool value) { gasSet(index, &GasSlot::Change_Zero, value); }
    bool Change_OverScale(Integer index) const { return gasGet(index, &GasSlot::Change_OverScale); }
    void Change_OverScale(Integer index, bool value) { gasSet(index, &GasSlot::Change_OverScale, value); }
    bool Change_Ratio(Integer index) const { return gasGet(index, &GasSlot::Change_Ratio); }
    void Change_Ratio(Integer index, bool value) { gasSet(index, &GasSlot::Change_Ratio, value); }

    // ---- Gas library (entries 0 to 30, filled from the instrument only) -------------------
    Integer LI_tabNo(Integer index) const { return library_[checked(index, LibraryCount)].tabNo; }
    void LI_tabNo(Integer index, Integer value) { library_[checked(index, LibraryCount)].tabNo = value; }
    QString LI_Name(Integer index) const { return library_[checked(index, LibraryCount)].name; }
    void LI_Name(Integer index, const QString& value) { library_[checked(index, LibraryCount)].name = value; }
    Single LI_FullScale(Integer index) const { return library_[checked(index, LibraryCount)].fullScale; }
    void LI_FullScale(Integer index, Single value) { library_[checked(index, LibraryCount)].fullScale = value; }
    Single LI_Digit(Integer index) const { return library_[checked(index, LibraryCount)].digit; }
    void LI_Digit(Integer index, Single value) { library_[checked(index, LibraryCount)].digit = value; }
    QString LI_Unit(Integer index) const { return library_[checked(index, LibraryCount)].unit; }
    void LI_Unit(Integer index, const QString& value) { library_[checked(index, LibraryCount)].unit = value; }
    Integer LI_Point(Integer index) const { return library_[checked(index, LibraryCount)].point; }
    void LI_Point(Integer index, Integer value) { library_[checked(index, LibraryCount)].point = value; }

    // The caption parts of a gas slot (GasCaptionOf): its name, full scale, decimals and unit;
    // a slot outside 0 to 4 has an empty name and so the empty caption.
    GasCaptionParts GasCaptionPartsOf(Integer gas) const override {
        return GasCaptionParts::Settings(GasName(gas), GasFullScale(gas), GasPoint(gas), GasUnit(gas));
    }

    // Sizes of the stores, for callers that walk them.
    static constexpr int GasCount = 5;         // gas slots 0 to 4
    static constexpr int SetPointCount = 6;    // Warning/Alarm/Stel/Twa reach 0 to 5
    static constexpr int ListCount = 128;      // station and user entries 0 to 127
    static constexpr int LibraryCount = 31;    // gas library entries 0 to 30
    static constexpr int AnalogCount = 9;
    static constexpr int LimitCount = 6;

private:
    enum Flag : int {
        fSerialNo, fDummySerial, fStationID, fUserID, fSpecNo, fSpecType,
        fAlarmMode, fCalLimit, fLogOverWrite, fDispCalLimit, fCalCheck, fHCMode, fAlarmO2,
        fLcdBackLight, fautoBackLight, fFlowLevel, fAlarmOnOff, fStelTwaOnOff, fBumpTime,
        fBumpThreshold, fBumpFailCalTime, fBumpFailAfter, fLcBhMode, fBhTime, fLcBuzzer,
        fAutoZero, fDemandZero, fInterval, fConfirmation, fUseUserPassword, fUserPassword2,
        fpressOffset, fPeakBar, fBumpFunction, fDispBumpLimit, fBumpLimit, fBumpCheck,
        fBuzzerfrequency, fPumpDutyRatio, fLEDDutyRatio, fWS, fCSData, fMT, fEJ, fLSstr,
        fLSno, fLE, fBQ,
        FlagCount
    };

    struct Values {
        QString SerialNo, DummySerial, StationID, UserID, SpecNo, SpecType;
        Long RomNumber = 0;
        QString SUM;
        Date SysDate, SysDateOffset;
        QString Key;
        bool CommFlags = false;
        bool ImportFlag = false;
        QString FailLine, MessageString;

        Integer AlarmMode = 0, CalLimit = 0, LogOverWrite = 0, DispCalLimit = 0, CalCheck = 0;
        Integer HcMode = 0, AlarmO2 = 0, LcdBackLight = 0, autoBackLight = 0;
        Long FlowLevel = 0;
        Integer AlarmOnOff = 0, StelTwaOnOff = 0, BumpTime = 0, BumpThreshold = 0;
        Integer BumpFailCalTime = 0, BumpFailAfter = 0, LcBhMode = 0, BhTime = 0, LcBuzzer = 0;
        Integer AutoZero = 0, DemandZero = 0, Intervals = 0, FlowValue = 0, Confirmation = 0;
        Integer UseUserPassword = 0;
        QString UserPassword2;
        Integer pressOffset = 0, PeakBar = 0, BumpFunction = 0, DispBumpLimit = 0;
        Integer BumpLimit = 0, BumpCheck = 0;

        Single Buzzerfrequency = 0;
        Integer PumpDutyRatio = 0, LEDDutyRatio = 0, SpanVal = 0, ColorChartVal = 0, CSData = 0;
        Integer MT = 0, EJ = 0;
        QString LSstr;
        Integer LSno = 0, LE = 0, BQ = 0;
        Single C_White = 0, C_grey = 0, C_ratio = 0, C_factor = 0;
        Integer KeyState = 0;
        Single AdrealValue = 0;
    };

    struct GasSlot {
        QString GasName;
        Single GasDesit = 0;
        Integer GasPoint = 0;
        QString GasUnit;
        Single GasFullScale = 0;
        bool GasEnabled = false;
        Single Warning = 0, Alarm = 0, Stel = 0, Twa = 0;
        Date CalibDate;
        Single CalibBefore = 0, CalibAfter = 0, AutoCalib = 0;
        Date BumpDates;
        Single BumpResult = 0, BumpConcentration = 0;
        Integer Zero = 0, OverScale = 0;
        Single Ratio = 0, LogMax = 0, LogMin = 0, LogAvr = 0;
        Date LogMaxDate, LogMinDate;
        bool Change_GasPoint = false, Change_GasEnable = false, Change_Warn = false;
        bool Change_Alarm = false, Change_Stel = false, Change_Twa = false;
        bool Change_AutoCal = false, Change_Zero = false, Change_OverScale = false;
        bool Change_Ratio = false;
    };

    struct GasLibraryEntry {
        Integer tabNo = 0;
        QString name;
        Single fullScale = 0;
        Single digit = 0;
        QString unit;
        Integer point = 0;
    };

    struct ListEntry {
        QString text;
        bool changed = false;
    };
    using List = std::array<ListEntry, ListCount>;

    void mark(Flag flag) { flags_[flag] = true; }

    // The index itself when it lies in 0..count-1; the subscript error otherwise.
    static int checked(Integer index, int count);
    static bool isGasIndex(Integer index) { return index >= 0 && index < GasCount; }
    static bool isListIndex(Integer index) { return index >= 0 && index < ListCount; }

    template <typename T>
    T gasGet(Integer index, T GasSlot::*field) const {
        return isGasIndex(index) ? gas_[index].*field : T{};
    }
    template <typename T>
    void gasSet(Integer index, T GasSlot::*field, const T& value, bool GasSlot::*flag = nullptr) {
        if (!isGasIndex(index)) return;
        gas_[index].*field = value;
        if (flag) gas_[index].*flag = true;
    }
    const GasSlot& setPoint(Integer index) const { return gas_[checked(index, SetPointCount)]; }
    void setPointSet(Integer index, Single GasSlot::*field, Single value, bool GasSlot::*flag) {
        GasSlot& slot = gas_[checked(index, SetPointCount)];
        slot.*field = value;
        if (isGasIndex(index)) slot.*flag = true;  // the sixth entry has no flags
    }
    static void setListEntry(List& list, Integer index, const QString& value) {
        if (!isListIndex(index)) return;
        list[index].text = value;
        list[index].changed = true;
    }

    Values v_;
    std::array<bool, FlagCount> flags_{};
    std::array<GasSlot, SetPointCount> gas_{};
    std::array<GasLibraryEntry, LibraryCount> library_{};
    List stations_{};
    List users_{};
    std::array<Integer, AnalogCount> analog_{};
    std::array<Single, LimitCount> limit_{};
};

// The fixed-width gas information text of one slot (25 characters): name in positions 1-10,
// full scale in 12-16, resolution in 17-21, unit in 22-25. Sets the slot's name (blanks
// removed), enabled (true), full scale, resolution, decimals (those of the full scale field)
// and unit. The text of 25 "*" marks the slot empty instead: no name, disabled, full scale
// -101, resolution 0, decimals -101, no unit. A full scale or resolution field that is not a
// number raises the type-mismatch error and leaves the slot unchanged.
void ParseGasInfoText(const QString& text, clsInstrument& instrument, Integer gas);

// The text that marks an empty gas slot.
QString EmptyGasInfoText();

// The detail settings dialog's copies between the edited instrument and its working copy.
// onlyChanged false (the opening copy) copies the identity, clock, options, station list and
// gas slot 0 settings; onlyChanged true (the copy-back) copies only the items whose change
// flag is true in src, and never the ROM number, clock, gas name, digit, unit, full scale or
// calibration concentration. Every item goes through dest's set, which marks dest's flag.
void CopyInstrumentSettings(clsInstrument& dest, const clsInstrument& src, bool onlyChanged);

// The settings file's sample instrument, created on first use and kept for the run.
clsInstrument& SampleInstrument();
bool SampleInstrumentExists();
// Drops the sample instrument (tests, between cases); the next use creates a fresh one.
void ResetSampleInstrument();

}  // namespace mt52
