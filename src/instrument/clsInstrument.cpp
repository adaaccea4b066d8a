#include "instrument/clsInstrument.h"

#include "common/ModuleState.h"
#include "common/TextHelpers.h"
#include "platform/Numbers.h"
#include "platform/RuntimeError.h"
#include "platform/VbString.h"

namespace mt52 {
namespace {

QString WithoutBlanks(const QString& text) {
    QString result = text;
    return result.remove(QLatin1Char(' '));
}

constexpr Single NoValue = -101.0f;

static_assert(clsInstrument::GasCount == GasSlotCount, "the model and the database have the same gas slots");

}  // namespace

clsInstrument::clsInstrument() { ClearDatas(); }

int clsInstrument::checked(Integer index, int count) {
    if (index < 0 || index >= count) Raise(ErrSubscript);
    return index;
}

void clsInstrument::SerialNo(const QString& value) {
    v_.SerialNo = BlankToDashes(value, BlankSerialNo);
    mark(fSerialNo);
}

void clsInstrument::DummySerial(const QString& value) {
    v_.DummySerial = BlankToDashes(value, BlankDummySerialNo);
    mark(fDummySerial);
}

void clsInstrument::StationID(const QString& value) {
    v_.StationID = BlankToDashes(value, BlankStationId);
    mark(fStationID);
}

void clsInstrument::UserID(const QString& value) {
    v_.UserID = BlankToDashes(value, BlankUserId);
    mark(fUserID);
}

void clsInstrument::Intervals(Integer value) {
    if (value != v_.Intervals) mark(fInterval);
    v_.Intervals = value;
}

void clsInstrument::ClearDatas() {
    v_.Key.clear();
    v_.MessageString.clear();
    v_.CommFlags = false;

    v_.RomNumber = 0;
    v_.SysDate = Date(0.0);
    v_.SysDateOffset = Date(0.0);

    v_.AlarmMode = 0;
    v_.Intervals = 0;
    v_.HcMode = 0;
    v_.DispCalLimit = 0;
    v_.CalLimit = 1;
    v_.CalCheck = 0;
    v_.LogOverWrite = 0;
    v_.LcdBackLight = 1;
    v_.AlarmO2 = 1;
    v_.AutoZero = 0;
    v_.DemandZero = 0;
    v_.UseUserPassword = 0;
    v_.UserPassword2 = QStringLiteral("8315");
    v_.autoBackLight = 1;
    v_.AlarmOnOff = 1;
    v_.StelTwaOnOff = 1;
    v_.BumpTime = 2;
    v_.BumpThreshold = 1;
    v_.BumpFailAfter = 1;
    v_.BumpFailCalTime = 0;
    v_.LcBhMode = 0;
    v_.BhTime = 0;
    v_.LcBuzzer = 0;

    v_.LSstr = QString(30, QLatin1Char('0'));
    v_.LSno = 1;
    v_.Buzzerfrequency = 0;
    v_.PumpDutyRatio = 0;
    v_.LEDDutyRatio = 0;
    v_.SpanVal = 0;
    v_.ColorChartVal = 0;
    v_.KeyState = 0;
    v_.MT = 0;
    v_.EJ = 0;

    // The identity texts start as the first (blank) list entries.
    for (ListEntry& entry : stations_) entry.text = BlankToDashes(QStringLiteral(" "), BlankStationId);
    for (ListEntry& entry : users_) entry.text = BlankToDashes(QStringLiteral(" "), BlankUserId);
    v_.StationID = stations_[0].text;
    v_.UserID = users_[0].text;
    v_.SerialNo = BlankToDashes(QStringLiteral(" "), BlankSerialNo);
    v_.DummySerial = BlankToDashes(QStringLiteral(" "), BlankDummySerialNo);

    v_.SpecType = QStringLiteral("0");

    for (Integer i = 0; i < GasCount; ++i) {
        GasSlot& slot = gas_[i];
        slot.AutoCalib = NoValue;
        slot.Warning = NoValue;
        slot.Alarm = NoValue;
        slot.Stel = NoValue;
        slot.Twa = NoValue;
        slot.CalibAfter = NoValue;
        slot.CalibBefore = NoValue;
        slot.CalibDate = Date(-101.0);
        slot.Ratio = NoValue;
        slot.Zero = 0;
        slot.OverScale = 0;
        ParseGasInfoText(EmptyGasInfoText(), *this, i);
    }

    ClearChangeFlags();
}

void clsInstrument::SetChangeFlags(bool pFlag, bool pIDflag) {
    flags_.fill(pFlag);
    flags_[fDummySerial] = false;
    flags_[fUserID] = pIDflag;
    flags_[fStationID] = pIDflag;
    flags_[fSerialNo] = pIDflag;
    for (ListEntry& entry : stations_) entry.changed = pIDflag;
    for (ListEntry& entry : users_) entry.changed = pIDflag;
    for (Integer i = 0; i < GasCount; ++i) {
        GasSlot& slot = gas_[i];
        slot.Change_GasEnable = pFlag;
        slot.Change_GasPoint = pFlag;
        slot.Change_AutoCal = pFlag;
        slot.Change_Ratio = pFlag;
        slot.Change_Warn = pFlag;
        slot.Change_Alarm = pFlag;
        slot.Change_Stel = pFlag;
        slot.Change_Twa = pFlag;
        slot.Change_Zero = pFlag;
        slot.Change_OverScale = pFlag;
    }
}

QString EmptyGasInfoText() { return QString(25, QLatin1Char('*')); }

void ParseGasInfoText(const QString& text, clsInstrument& instrument, Integer gas) {
    if (text == EmptyGasInfoText()) {
        instrument.GasName(gas, QString());
        instrument.GasEnabled(gas, false);
        instrument.GasFullScale(gas, NoValue);
        instrument.GasDesit(gas, 0);
        instrument.GasPoint(gas, -101);
        instrument.GasUnit(gas, QString());
        return;
    }
    // Both numbers are read before anything is stored, so a damaged text changes nothing.
    const QString fullScaleField = WithoutBlanks(Mid(text, 12, 5));
    const QString digitField = WithoutBlanks(Mid(text, 17, 5));
    if (!IsNumeric(fullScaleField))
        Raise(ErrTypeMismatch, QStringLiteral("gas full scale \"%1\"").arg(fullScaleField));
    if (!IsNumeric(digitField))
        Raise(ErrTypeMismatch, QStringLiteral("gas resolution \"%1\"").arg(digitField));

    instrument.GasName(gas, WithoutBlanks(Mid(text, 1, 10)));
    instrument.GasEnabled(gas, true);
    instrument.GasFullScale(gas, ToSingle(ParseNumber(fullScaleField)));
    instrument.GasDesit(gas, ToSingle(ParseNumber(digitField)));
    instrument.GasPoint(gas, CountDecimals(fullScaleField));
    instrument.GasUnit(gas, WithoutBlanks(Mid(text, 22, 4)));
}

void CopyInstrumentSettings(clsInstrument& dest, const clsInstrument& src, bool onlyChanged) {
    constexpr Integer gas = 0;
    if (!onlyChanged) {
        dest.RomNumber(src.RomNumber());
        dest.UserID(src.UserID());
        dest.StationID(src.StationID());
        dest.SerialNo(src.SerialNo());
        dest.SysDate(src.SysDate());
        dest.SysDateOffset(src.SysDateOffset());
        dest.DummySerial(src.DummySerial());
        dest.HcMode(src.HcMode());
        dest.AlarmMode(src.AlarmMode());
        dest.DispCalLimit(src.DispCalLimit());
        dest.CalLimit(src.CalLimit());
        dest.CalCheck(src.CalCheck());
        dest.LogOverWrite(src.LogOverWrite());
        dest.LcdBackLight(src.LcdBackLight());
        dest.autoBackLight(src.autoBackLight());
        dest.AlarmOnOff(src.AlarmOnOff());
        dest.StelTwaOnOff(src.StelTwaOnOff());
        dest.BumpTime(src.BumpTime());
        dest.BumpThreshold(src.BumpThreshold());
        dest.BumpFailAfter(src.BumpFailAfter());
        dest.BumpFailCalTime(src.BumpFailCalTime());
        dest.LcBhMode(src.LcBhMode());
        dest.BhTime(src.BhTime());
        dest.LcBuzzer(src.LcBuzzer());
        for (Integer i = 0; i < clsInstrument::ListCount; ++i) dest.StationList(i, src.StationList(i));
        dest.FlowLevel(src.FlowLevel());
        dest.AlarmO2(src.AlarmO2());
        dest.SpecType(src.SpecType());
        dest.AutoZero(src.AutoZero());
        dest.DemandZero(src.DemandZero());
        dest.UseUserPassword(src.UseUserPassword());
        dest.UserPassword2(src.UserPassword2());
        dest.GasName(gas, src.GasName(gas));
        dest.GasDesit(gas, src.GasDesit(gas));
        dest.GasPoint(gas, src.GasPoint(gas));
        dest.GasUnit(gas, src.GasUnit(gas));
        dest.GasFullScale(gas, src.GasFullScale(gas));
        dest.GasEnabled(gas, src.GasEnabled(gas));
        dest.Warning(gas, src.Warning(gas));
        dest.Alarm(gas, src.Alarm(gas));
        dest.Stel(gas, src.Stel(gas));
        dest.Twa(gas, src.Twa(gas));
        dest.AutoCalib(gas, src.AutoCalib(gas));
        dest.Zero(gas, src.Zero(gas));
        dest.OverScale(gas, src.OverScale(gas));
        return;
    }

    if (src.Change_UserID()) dest.UserID(src.UserID());
    if (src.Change_StationID()) dest.StationID(src.StationID());
    if (src.Change_SerialNo()) dest.SerialNo(src.SerialNo());
    if (src.Change_DummySerial()) dest.DummySerial(src.DummySerial());
    if (src.Change_HCMode()) dest.HcMode(src.HcMode());
    if (src.Change_AlarmMode()) dest.AlarmMode(src.AlarmMode());
    if (src.Change_DispCalLimit()) dest.DispCalLimit(src.DispCalLimit());
    if (src.Change_CalLimit()) dest.CalLimit(src.CalLimit());
    if (src.Change_CalCheck()) dest.CalCheck(src.CalCheck());
    if (src.Change_LogOverWrite()) dest.LogOverWrite(src.LogOverWrite());
    if (src.Change_LcdBackLight()) dest.LcdBackLight(src.LcdBackLight());
    if (src.Change_autoBackLight()) dest.autoBackLight(src.autoBackLight());
    if (src.Change_AlarmOnOff()) dest.AlarmOnOff(src.AlarmOnOff());
    if (src.Change_StelTwaOnOff()) dest.StelTwaOnOff(src.StelTwaOnOff());
    if (src.Change_BumpTime()) dest.BumpTime(src.BumpTime());
    if (src.Change_BumpThreshold()) dest.BumpThreshold(src.BumpThreshold());
    if (src.Change_BumpFailAfter()) dest.BumpFailAfter(src.BumpFailAfter());
    if (src.Change_BumpFailCalTime()) dest.BumpFailCalTime(src.BumpFailCalTime());
    if (src.Change_LcBhMode()) dest.LcBhMode(src.LcBhMode());
    if (src.Change_BhTime()) dest.BhTime(src.BhTime());
    if (src.Change_LcBuzzer()) dest.LcBuzzer(src.LcBuzzer());
    for (Integer i = 0; i < clsInstrument::ListCount; ++i)
        if (src.Change_StationList(i)) dest.StationList(i, src.StationList(i));
    if (src.Change_FlowLevel()) dest.FlowLevel(src.FlowLevel());
    if (src.Change_AlarmO2()) dest.AlarmO2(src.AlarmO2());
    if (src.Change_SpecType()) dest.SpecType(src.SpecType());
    if (src.Change_AutoZero()) dest.AutoZero(src.AutoZero());
    if (src.Change_DemandZero()) dest.DemandZero(src.DemandZero());
    if (src.Change_UseUserPassword()) dest.UseUserPassword(src.UseUserPassword());
    if (src.Change_UserPassword2()) dest.UserPassword2(src.UserPassword2());
    if (src.Change_GasPoint(gas)) dest.GasPoint(gas, src.GasPoint(gas));
    if (src.Change_GasEnable(gas)) dest.GasEnabled(gas, src.GasEnabled(gas));
    if (src.Change_Warn(gas)) dest.Warning(gas, src.Warning(gas));
    if (src.Change_Alarm(gas)) dest.Alarm(gas, src.Alarm(gas));
    if (src.Change_Stel(gas)) dest.Stel(gas, src.Stel(gas));
    if (src.Change_Twa(gas)) dest.Twa(gas, src.Twa(gas));
    if (src.Change_Zero(gas)) dest.Zero(gas, src.Zero(gas));
    if (src.Change_OverScale(gas)) dest.OverScale(gas, src.OverScale(gas));
}

namespace {

std::unique_ptr<clsInstrument>& SampleSlot() {
    static std::unique_ptr<clsInstrument> sample;
    return sample;
}

}  // namespace

clsInstrument& SampleInstrument() {
    std::unique_ptr<clsInstrument>& sample = SampleSlot();
    if (!sample)
        sample = std::make_unique<clsInstrument>();
    return *sample;
}

bool SampleInstrumentExists() { return SampleSlot() != nullptr; }

void ResetSampleInstrument() { SampleSlot().reset(); }

}  // namespace mt52
