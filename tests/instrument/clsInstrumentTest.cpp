#include "instrument/clsInstrument.h"

#include "common/ModuleState.h"
#include "platform/RuntimeError.h"
#include "platform/Variant.h"

#include "support/ErrorOf.h"

#include <gtest/gtest.h>

#include <functional>
#include <ostream>
#include <set>
#include <string>
#include <vector>

namespace mt52 {

// Readable failure messages for Variant comparisons.
void PrintTo(const Variant& v, std::ostream* os) {
    *os << "type " << static_cast<int>(v.type()) << " \"" << v.toString().toStdString() << "\"";
}

namespace {

using Reader = std::function<Variant(const clsInstrument&)>;
using Writer = std::function<void(clsInstrument&)>;
using Names = std::set<std::string>;

QString Dashes(int count) { return QString(count, QLatin1Char('-')); }

// ---- Every change flag of an object, by name ------------------------------------------------

struct FlagReader {
    std::string name;
    std::function<bool(const clsInstrument&)> get;
};

std::vector<FlagReader> AllFlags() {
#define FLAG(member) FlagReader{#member, [](const clsInstrument& o) { return o.member(); }}
    std::vector<FlagReader> flags{
        FLAG(Change_SerialNo), FLAG(Change_DummySerial), FLAG(Change_StationID), FLAG(Change_UserID),
        FLAG(Change_SpecNo), FLAG(Change_SpecType), FLAG(Change_AlarmMode), FLAG(Change_CalLimit),
        FLAG(Change_LogOverWrite), FLAG(Change_DispCalLimit), FLAG(Change_CalCheck), FLAG(Change_HCMode),
        FLAG(Change_AlarmO2), FLAG(Change_LcdBackLight), FLAG(Change_autoBackLight), FLAG(Change_FlowLevel),
        FLAG(Change_AlarmOnOff), FLAG(Change_StelTwaOnOff), FLAG(Change_BumpTime), FLAG(Change_BumpThreshold),
        FLAG(Change_BumpFailCalTime), FLAG(Change_BumpFailAfter), FLAG(Change_LcBhMode), FLAG(Change_BhTime),
        FLAG(Change_LcBuzzer), FLAG(Change_AutoZero), FLAG(Change_DemandZero), FLAG(Change_Interval),
        FLAG(Change_Confirmation), FLAG(Change_UseUserPassword), FLAG(Change_UserPassword2),
        FLAG(Change_pressOffset), FLAG(Change_PeakBar), FLAG(Change_BumpFunction), FLAG(Change_DispBumpLimit),
        FLAG(Change_BumpLimit), FLAG(Change_BumpCheck), FLAG(Change_Buzzerfrequency),
        FLAG(Change_PumpDutyRatio), FLAG(Change_LEDDutyRatio), FLAG(Change_WS), FLAG(Change_CSData),
        FLAG(Change_MT), FLAG(Change_EJ), FLAG(Change_LSstr), FLAG(Change_LSno), FLAG(Change_LE),
        FLAG(Change_BQ),
    };
#undef FLAG
#define INDEXED_FLAG(member, count)                                                                    \
    for (Integer i = 0; i < (count); ++i)                                                              \
        flags.push_back(FlagReader{#member "(" + std::to_string(i) + ")",                              \
                                   [i](const clsInstrument& o) { return o.member(i); }});
    INDEXED_FLAG(Change_GasPoint, 5)
    INDEXED_FLAG(Change_GasEnable, 5)
    INDEXED_FLAG(Change_Warn, 5)
    INDEXED_FLAG(Change_Alarm, 5)
    INDEXED_FLAG(Change_Stel, 5)
    INDEXED_FLAG(Change_Twa, 5)
    INDEXED_FLAG(Change_AutoCal, 5)
    INDEXED_FLAG(Change_Zero, 5)
    INDEXED_FLAG(Change_OverScale, 5)
    INDEXED_FLAG(Change_Ratio, 5)
    INDEXED_FLAG(Change_StationList, 128)
    INDEXED_FLAG(Change_UserList, 128)
#undef INDEXED_FLAG
    return flags;
}

Names RaisedFlags(const clsInstrument& o) {
    Names raised;
    for (const FlagReader& flag : AllFlags())
        if (flag.get(o)) raised.insert(flag.name);
    return raised;
}

bool IsIdentityOrListFlag(const std::string& name) {
    return name == "Change_UserID" || name == "Change_StationID" || name == "Change_SerialNo" ||
           name.starts_with("Change_StationList(") || name.starts_with("Change_UserList(");
}

// ---- One set of every settable member, with a value none of them starts with ----------------

struct Setter {
    std::string name;
    Writer set;
    Reader read;
    Names flags;  // the flags the set must raise, and no others
};

std::vector<Setter> AllSetters() {
#define SCALAR(member, value, ...)                                                                     \
    Setter{#member, [](clsInstrument& o) { o.member(value); },                                         \
           [](const clsInstrument& o) { return Variant(o.member()); }, Names{__VA_ARGS__}}
#define INDEXED(member, index, value, ...)                                                             \
    Setter{#member "(" #index ")", [](clsInstrument& o) { o.member(index, value); },                   \
           [](const clsInstrument& o) { return Variant(o.member(index)); }, Names{__VA_ARGS__}}
    return {
        // identity and status
        SCALAR(UserID, "U1", "Change_UserID"),
        SCALAR(StationID, "S1", "Change_StationID"),
        SCALAR(SerialNo, "SN1", "Change_SerialNo"),
        SCALAR(DummySerial, "D1", "Change_DummySerial"),
        SCALAR(SpecNo, "SP", "Change_SpecNo"),
        SCALAR(SpecType, "2", "Change_SpecType"),
        SCALAR(RomNumber, 70001),
        SCALAR(SUM, "AB12"),
        SCALAR(SysDate, Date(45000.5)),
        SCALAR(SysDateOffset, Date(0.25)),
        SCALAR(Key, "k"),
        SCALAR(CommFlags, true),
        SCALAR(ImportFlag, true),
        SCALAR(FailLine, "HC,R"),
        SCALAR(MessageString, "m"),
        // device options
        SCALAR(AlarmMode, 1, "Change_AlarmMode"),
        SCALAR(CalLimit, 90, "Change_CalLimit"),
        SCALAR(LogOverWrite, 1, "Change_LogOverWrite"),
        SCALAR(DispCalLimit, 1, "Change_DispCalLimit"),
        SCALAR(CalCheck, 2, "Change_CalCheck"),
        SCALAR(HcMode, 2, "Change_HCMode"),
        SCALAR(AlarmO2, 0, "Change_AlarmO2"),
        SCALAR(LcdBackLight, 30, "Change_LcdBackLight"),
        SCALAR(autoBackLight, 0, "Change_autoBackLight"),
        SCALAR(FlowLevel, 70000, "Change_FlowLevel"),
        SCALAR(AlarmOnOff, 0, "Change_AlarmOnOff"),
        SCALAR(StelTwaOnOff, 0, "Change_StelTwaOnOff"),
        SCALAR(BumpTime, 3, "Change_BumpTime"),
        SCALAR(BumpThreshold, 4, "Change_BumpThreshold"),
        SCALAR(BumpFailCalTime, 1, "Change_BumpFailCalTime"),
        SCALAR(BumpFailAfter, 0, "Change_BumpFailAfter"),
        SCALAR(LcBhMode, 1, "Change_LcBhMode"),
        SCALAR(BhTime, 2, "Change_BhTime"),
        SCALAR(LcBuzzer, 1, "Change_LcBuzzer"),
        SCALAR(AutoZero, 1, "Change_AutoZero"),
        SCALAR(DemandZero, 1, "Change_DemandZero"),
        SCALAR(Intervals, 60, "Change_Interval"),
        SCALAR(FlowValue, 128),
        SCALAR(Confirmation, 1, "Change_Confirmation"),
        SCALAR(UseUserPassword, 1, "Change_UseUserPassword"),
        SCALAR(UserPassword2, "1234", "Change_UserPassword2"),
        SCALAR(pressOffset, 3, "Change_pressOffset"),
        SCALAR(PeakBar, 1, "Change_PeakBar"),
        SCALAR(BumpFunction, 1, "Change_BumpFunction"),
        SCALAR(DispBumpLimit, 1, "Change_DispBumpLimit"),
        SCALAR(BumpLimit, 30, "Change_BumpLimit"),
        SCALAR(BumpCheck, 1, "Change_BumpCheck"),
        // instrument parameters and live values
        SCALAR(Buzzerfrequency, 2.5f, "Change_Buzzerfrequency"),
        SCALAR(PumpDutyRatio, 10, "Change_PumpDutyRatio"),
        SCALAR(LEDDutyRatio, 20, "Change_LEDDutyRatio"),
        SCALAR(SpanVal, 7, "Change_WS"),
        SCALAR(ColorChartVal, 8, "Change_WS"),
        SCALAR(CSData, 3, "Change_CSData"),
        SCALAR(MT, 4, "Change_MT"),
        SCALAR(EJ, 5, "Change_EJ"),
        SCALAR(LSstr, "123", "Change_LSstr"),
        SCALAR(LSno, 2, "Change_LSno"),
        SCALAR(LE, 6, "Change_LE"),
        SCALAR(BQ, 7, "Change_BQ"),
        SCALAR(C_White, 1.5f),
        SCALAR(C_grey, 2.5f),
        SCALAR(C_ratio, 3.5f),
        SCALAR(C_factor, 0.25f),
        SCALAR(KeyState, 9),
        SCALAR(AdrealValue, 4.5f),
        INDEXED(AnalogValue, 8, 5),
        INDEXED(LimitValue, 5, 1.5f),
        // lists
        INDEXED(StationList, 5, " Station 5 ", "Change_StationList(5)"),
        INDEXED(StationList, 127, "ST", "Change_StationList(127)"),
        INDEXED(UserList, 0, "US", "Change_UserList(0)"),
        // gas slots
        INDEXED(GasName, 0, "CH4"),
        INDEXED(GasDesit, 0, 0.5f),
        INDEXED(GasPoint, 0, 2, "Change_GasPoint(0)"),
        INDEXED(GasUnit, 0, "%LEL"),
        INDEXED(GasFullScale, 0, 100.0f),
        INDEXED(GasEnabled, 0, true, "Change_GasEnable(0)"),
        INDEXED(Warning, 0, 10.0f, "Change_Warn(0)"),
        INDEXED(Alarm, 0, 50.0f, "Change_Alarm(0)"),
        INDEXED(Stel, 0, 25.0f, "Change_Stel(0)"),
        INDEXED(Twa, 0, 12.0f, "Change_Twa(0)"),
        INDEXED(CalibDate, 0, Date(44000.0)),
        INDEXED(CalibBefore, 0, 48.0f),
        INDEXED(CalibAfter, 0, 50.0f),
        INDEXED(AutoCalib, 0, 50.0f, "Change_AutoCal(0)"),
        INDEXED(BumpDates, 0, Date(44001.0)),
        INDEXED(BumpResult, 0, 1.0f),
        INDEXED(BumpConcentration, 0, 2.0f),
        INDEXED(Zero, 0, 3, "Change_Zero(0)"),
        INDEXED(OverScale, 0, 1, "Change_OverScale(0)"),
        INDEXED(Ratio, 0, 1.25f, "Change_Ratio(0)"),
        INDEXED(LogMax, 0, 80.0f),
        INDEXED(LogMin, 0, 1.0f),
        INDEXED(LogAvr, 0, 20.0f),
        INDEXED(LogMaxDate, 0, Date(44002.0)),
        INDEXED(LogMinDate, 0, Date(44003.0)),
        INDEXED(GasPoint, 4, 1, "Change_GasPoint(4)"),
        INDEXED(Warning, 3, 5.0f, "Change_Warn(3)"),
        INDEXED(Twa, 4, 6.0f, "Change_Twa(4)"),
        INDEXED(Ratio, 2, 1.5f, "Change_Ratio(2)"),
        INDEXED(Warning, 5, 9.0f),  // the sixth set-point entry has no flag
        // gas library
        INDEXED(LI_tabNo, 30, 12),
        INDEXED(LI_Name, 30, "H2S"),
        INDEXED(LI_FullScale, 30, 30.0f),
        INDEXED(LI_Digit, 30, 0.1f),
        INDEXED(LI_Unit, 30, "ppm"),
        INDEXED(LI_Point, 30, 1),
    };
#undef SCALAR
#undef INDEXED
}

// ---- Start values --------------------------------------------------------------------------

TEST(InstrumentModel, StartsAtItsResetValues) {
    struct Expected {
        std::string name;
        Reader read;
        Variant value;
    };
#define EXPECT_START(expr, value) \
    Expected{#expr, [=](const clsInstrument& o) { return Variant(o.expr); }, Variant(value)}
    std::vector<Expected> table{
        EXPECT_START(UserID(), Dashes(16)),
        EXPECT_START(StationID(), Dashes(16)),
        EXPECT_START(SerialNo(), Dashes(20)),
        EXPECT_START(DummySerial(), Dashes(20)),
        EXPECT_START(SpecType(), "0"),
        EXPECT_START(RomNumber(), Long{0}),
        EXPECT_START(SysDate(), Date(0.0)),
        EXPECT_START(SysDateOffset(), Date(0.0)),
        EXPECT_START(Key(), QString()),
        EXPECT_START(MessageString(), QString()),
        EXPECT_START(CommFlags(), false),
        EXPECT_START(AlarmMode(), Integer{0}),
        EXPECT_START(Intervals(), Integer{0}),
        EXPECT_START(HcMode(), Integer{0}),
        EXPECT_START(DispCalLimit(), Integer{0}),
        EXPECT_START(CalLimit(), Integer{1}),
        EXPECT_START(CalCheck(), Integer{0}),
        EXPECT_START(LogOverWrite(), Integer{0}),
        EXPECT_START(LcdBackLight(), Integer{1}),
        EXPECT_START(AlarmO2(), Integer{1}),
        EXPECT_START(AutoZero(), Integer{0}),
        EXPECT_START(DemandZero(), Integer{0}),
        EXPECT_START(UseUserPassword(), Integer{0}),
        EXPECT_START(UserPassword2(), "8315"),
        EXPECT_START(autoBackLight(), Integer{1}),
        EXPECT_START(AlarmOnOff(), Integer{1}),
        EXPECT_START(StelTwaOnOff(), Integer{1}),
        EXPECT_START(BumpTime(), Integer{2}),
        EXPECT_START(BumpThreshold(), Integer{1}),
        EXPECT_START(BumpFailAfter(), Integer{1}),
        EXPECT_START(BumpFailCalTime(), Integer{0}),
        EXPECT_START(LcBhMode(), Integer{0}),
        EXPECT_START(BhTime(), Integer{0}),
        EXPECT_START(LcBuzzer(), Integer{0}),
        EXPECT_START(FlowLevel(), Long{0}),
        EXPECT_START(LSstr(), QString(30, QLatin1Char('0'))),
        EXPECT_START(LSno(), Integer{1}),
        EXPECT_START(Buzzerfrequency(), Single{0}),
        EXPECT_START(SpanVal(), Integer{0}),
        EXPECT_START(ColorChartVal(), Integer{0}),
        EXPECT_START(KeyState(), Integer{0}),
        EXPECT_START(Warning(5), Single{0}),
        EXPECT_START(LI_Name(30), QString()),
        EXPECT_START(AnalogValue(8), Integer{0}),
    };
    for (Integer slot = 0; slot < clsInstrument::GasCount; ++slot) {
        std::vector<Expected> gas{
            EXPECT_START(GasName(slot), QString()),
            EXPECT_START(GasUnit(slot), QString()),
            EXPECT_START(GasEnabled(slot), false),
            EXPECT_START(GasFullScale(slot), Single{-101}),
            EXPECT_START(GasPoint(slot), Integer{-101}),
            EXPECT_START(GasDesit(slot), Single{0}),
            EXPECT_START(AutoCalib(slot), Single{-101}),
            EXPECT_START(Warning(slot), Single{-101}),
            EXPECT_START(Alarm(slot), Single{-101}),
            EXPECT_START(Stel(slot), Single{-101}),
            EXPECT_START(Twa(slot), Single{-101}),
            EXPECT_START(CalibBefore(slot), Single{-101}),
            EXPECT_START(CalibAfter(slot), Single{-101}),
            EXPECT_START(CalibDate(slot), Date(-101.0)),
            EXPECT_START(Ratio(slot), Single{-101}),
            EXPECT_START(Zero(slot), Integer{0}),
            EXPECT_START(OverScale(slot), Integer{0}),
            EXPECT_START(LogMax(slot), Single{0}),
        };
        table.insert(table.end(), gas.begin(), gas.end());
    }
#undef EXPECT_START

    const clsInstrument fresh;
    for (const Expected& e : table) EXPECT_EQ(e.read(fresh), e.value) << e.name;
    for (Integer i = 0; i < clsInstrument::ListCount; ++i) {
        EXPECT_EQ(fresh.StationList(i), Dashes(16)) << i;
        EXPECT_EQ(fresh.UserList(i), Dashes(16)) << i;
    }
    EXPECT_EQ(fresh.CalibDate(0).year(), 1899);
    EXPECT_EQ(fresh.CalibDate(0).month(), 9);
    EXPECT_EQ(fresh.CalibDate(0).day(), 20);
    EXPECT_EQ(RaisedFlags(fresh), Names{});
}

TEST(InstrumentModel, ClearDatasResetsWhatItOwnsAndKeepsTheRest) {
    const Names kept{"SpecNo", "SUM", "FailLine", "ImportFlag", "FlowLevel", "Confirmation",
                     "BumpFunction", "DispBumpLimit", "BumpLimit", "BumpCheck", "pressOffset",
                     "PeakBar", "FlowValue", "BQ", "LE", "CSData", "C_White", "C_grey", "C_ratio",
                     "C_factor", "AnalogValue(8)", "AdrealValue", "LimitValue(5)", "Warning(5)",
                     "BumpDates(0)", "BumpResult(0)", "BumpConcentration(0)", "LogMax(0)",
                     "LogMin(0)", "LogAvr(0)", "LogMaxDate(0)", "LogMinDate(0)", "LI_tabNo(30)",
                     "LI_Name(30)", "LI_FullScale(30)", "LI_Digit(30)", "LI_Unit(30)", "LI_Point(30)"};
    clsInstrument used;
    for (const Setter& s : AllSetters()) s.set(used);
    used.ClearDatas();

    const clsInstrument fresh;
    for (const Setter& s : AllSetters()) {
        if (kept.contains(s.name)) {
            clsInstrument expected;
            s.set(expected);
            EXPECT_EQ(s.read(used), s.read(expected)) << s.name << " must survive ClearDatas";
        } else {
            EXPECT_EQ(s.read(used), s.read(fresh)) << s.name << " must be reset";
        }
    }
    EXPECT_EQ(RaisedFlags(used), Names{});
}

// ---- Indexes ---------------------------------------------------------------------------------

TEST(InstrumentModel, IndexedMembersAtAndBeyondTheirEnds) {
    enum class Outside { Raises, Ignored };
    struct Case {
        std::string name;
        int last;
        Outside outside;
        std::function<Variant(const clsInstrument&, Integer)> get;
        std::function<void(clsInstrument&, Integer)> set;
        Variant zero;  // what an ignored index reads as
    };
#define ROW(member, last, outside, value, zero)                                                      \
    Case{#member, last, Outside::outside, [](const clsInstrument& o, Integer i) { return Variant(o.member(i)); }, \
         [](clsInstrument& o, Integer i) { o.member(i, value); }, Variant(zero)}
    const std::vector<Case> cases{
        ROW(GasName, 4, Ignored, "X", QString()),
        ROW(GasDesit, 4, Ignored, 7.0f, Single{0}),
        ROW(GasPoint, 4, Ignored, 7, Integer{0}),
        ROW(GasUnit, 4, Ignored, "X", QString()),
        ROW(GasFullScale, 4, Ignored, 7.0f, Single{0}),
        ROW(GasEnabled, 4, Ignored, true, false),
        ROW(CalibDate, 4, Ignored, Date(7.0), Date(0.0)),
        ROW(CalibBefore, 4, Ignored, 7.0f, Single{0}),
        ROW(CalibAfter, 4, Ignored, 7.0f, Single{0}),
        ROW(AutoCalib, 4, Ignored, 7.0f, Single{0}),
        ROW(BumpDates, 4, Ignored, Date(7.0), Date(0.0)),
        ROW(BumpResult, 4, Ignored, 7.0f, Single{0}),
        ROW(BumpConcentration, 4, Ignored, 7.0f, Single{0}),
        ROW(Zero, 4, Ignored, 7, Integer{0}),
        ROW(OverScale, 4, Ignored, 7, Integer{0}),
        ROW(Ratio, 4, Ignored, 7.0f, Single{0}),
        ROW(LogMax, 4, Ignored, 7.0f, Single{0}),
        ROW(LogMin, 4, Ignored, 7.0f, Single{0}),
        ROW(LogAvr, 4, Ignored, 7.0f, Single{0}),
        ROW(LogMaxDate, 4, Ignored, Date(7.0), Date(0.0)),
        ROW(LogMinDate, 4, Ignored, Date(7.0), Date(0.0)),
        ROW(Change_GasPoint, 4, Ignored, true, false),
        ROW(Change_GasEnable, 4, Ignored, true, false),
        ROW(Change_Warn, 4, Ignored, true, false),
        ROW(Change_Alarm, 4, Ignored, true, false),
        ROW(Change_Stel, 4, Ignored, true, false),
        ROW(Change_Twa, 4, Ignored, true, false),
        ROW(Change_AutoCal, 4, Ignored, true, false),
        ROW(Change_Zero, 4, Ignored, true, false),
        ROW(Change_OverScale, 4, Ignored, true, false),
        ROW(Change_Ratio, 4, Ignored, true, false),
        ROW(StationList, 127, Ignored, "X", QString()),
        ROW(UserList, 127, Ignored, "X", QString()),
        ROW(Change_StationList, 127, Ignored, true, false),
        ROW(Change_UserList, 127, Ignored, true, false),
        ROW(Warning, 5, Raises, 7.0f, Single{0}),
        ROW(Alarm, 5, Raises, 7.0f, Single{0}),
        ROW(Stel, 5, Raises, 7.0f, Single{0}),
        ROW(Twa, 5, Raises, 7.0f, Single{0}),
        ROW(LI_tabNo, 30, Raises, 7, Integer{0}),
        ROW(LI_Name, 30, Raises, "X", QString()),
        ROW(LI_FullScale, 30, Raises, 7.0f, Single{0}),
        ROW(LI_Digit, 30, Raises, 7.0f, Single{0}),
        ROW(LI_Unit, 30, Raises, "X", QString()),
        ROW(LI_Point, 30, Raises, 7, Integer{0}),
        ROW(AnalogValue, 8, Raises, 7, Integer{0}),
        ROW(LimitValue, 5, Raises, 7.0f, Single{0}),
    };
#undef ROW
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        clsInstrument o;
        for (Integer end : {Integer{0}, static_cast<Integer>(c.last)}) {
            c.set(o, end);
            EXPECT_NE(c.get(o, end), c.zero) << "index " << end << " must be stored";
        }
        const Names flagsBefore = RaisedFlags(o);
        for (Integer beyond : {Integer{-1}, static_cast<Integer>(c.last + 1)}) {
            if (c.outside == Outside::Raises) {
                EXPECT_EQ(ErrorOf([&] { c.get(o, beyond); }), ErrSubscript) << "get " << beyond;
                EXPECT_EQ(ErrorOf([&] { c.set(o, beyond); }), ErrSubscript) << "set " << beyond;
            } else {
                c.set(o, beyond);
                EXPECT_EQ(c.get(o, beyond), c.zero) << beyond;
            }
        }
        EXPECT_EQ(RaisedFlags(o), flagsBefore) << "an index outside the store marks nothing";
    }
}

TEST(InstrumentModel, SixthSetPointEntryIsReachableOnlyByTheSetPoints) {
    clsInstrument o;
    o.Warning(5, 10);
    o.GasName(5, QStringLiteral("CH4"));
    EXPECT_EQ(o.Warning(5), 10.0f);
    EXPECT_EQ(o.GasName(5), QString());
    EXPECT_FALSE(o.Change_Warn(5));
    EXPECT_EQ(RaisedFlags(o), Names{});
    EXPECT_EQ(o.Warning(4), -101.0f) << "the sixth entry is separate from slot 4";
}

// ---- Identity texts ---------------------------------------------------------------------------

TEST(InstrumentModel, IdentityTextsAreTrimmedAndBlankAsDashes) {
    struct Member {
        const char* name;
        std::function<void(clsInstrument&, const QString&)> set;
        std::function<QString(const clsInstrument&)> get;
        int dashes;
    };
#define MEMBER(m, dashes)                                                                           \
    Member{#m, [](clsInstrument& o, const QString& t) { o.m(t); },                                 \
           [](const clsInstrument& o) { return o.m(); }, dashes}
    const std::vector<Member> members{MEMBER(UserID, 16), MEMBER(StationID, 16), MEMBER(SerialNo, 20),
                                      MEMBER(DummySerial, 20)};
#undef MEMBER
    for (const Member& m : members) {
        for (const char* blank : {"", " ", "    "}) {
            clsInstrument o;
            m.set(o, QStringLiteral("X"));
            m.set(o, QString::fromLatin1(blank));
            EXPECT_EQ(m.get(o), Dashes(m.dashes)) << m.name << " '" << blank << "'";
        }
        clsInstrument o;
        m.set(o, QStringLiteral("  AB 12 "));
        EXPECT_EQ(m.get(o), QStringLiteral("AB 12")) << m.name;
    }
    clsInstrument o;
    o.StationList(3, QStringLiteral(" Site A "));
    EXPECT_EQ(o.StationList(3), QStringLiteral(" Site A ")) << "list entries are stored as given";
}

// ---- Change flags -----------------------------------------------------------------------------

TEST(InstrumentModel, EachSetMarksExactlyItsOwnFlag) {
    for (const Setter& s : AllSetters()) {
        clsInstrument o;
        s.set(o);
        EXPECT_EQ(RaisedFlags(o), s.flags) << s.name;
    }
}

TEST(InstrumentModel, EverySetMarksItsFlagEvenWithTheSameValue) {
    clsInstrument o;
    o.LcdBackLight(o.LcdBackLight());
    o.UserID(o.UserID());
    EXPECT_EQ(RaisedFlags(o), (Names{"Change_LcdBackLight", "Change_UserID"}));
}

TEST(InstrumentModel, IntervalsMarksOnlyARealChange) {
    clsInstrument o;
    o.Intervals(0);
    EXPECT_FALSE(o.Change_Interval());
    o.Intervals(10);
    EXPECT_TRUE(o.Change_Interval());
    o.Change_Interval(false);
    o.Intervals(10);
    EXPECT_FALSE(o.Change_Interval());
    EXPECT_EQ(o.Intervals(), 10);
}

TEST(InstrumentModel, ClearAndSetChangeFlagsByGroup) {
    std::vector<std::string> all;
    for (const FlagReader& f : AllFlags()) all.push_back(f.name);

    clsInstrument o;
    for (const Setter& s : AllSetters()) s.set(o);
    EXPECT_FALSE(RaisedFlags(o).empty());
    o.ClearChangeFlags();
    EXPECT_EQ(RaisedFlags(o), Names{});

    o.SetChangeFlags(true, false);
    Names raised = RaisedFlags(o);
    for (const std::string& name : all) {
        const bool expected = !IsIdentityOrListFlag(name) && name != "Change_DummySerial";
        EXPECT_EQ(raised.contains(name), expected) << "(true, false) " << name;
    }
    o.SetChangeFlags(false, true);
    raised = RaisedFlags(o);
    for (const std::string& name : all)
        EXPECT_EQ(raised.contains(name), IsIdentityOrListFlag(name)) << "(false, true) " << name;

    o.DummySerial(QStringLiteral("D"));
    o.SetChangeFlags(true, true);
    EXPECT_FALSE(o.Change_DummySerial());
}

// ---- Gas information text ---------------------------------------------------------------------

TEST(GasInfoText, FillsOneSlotOrMarksItEmpty) {
    struct Case {
        const char* text;
        const char* name;
        bool enabled;
        Single fullScale;
        Single digit;
        Integer point;
        const char* unit;
    };
    const std::vector<Case> cases{
        {"CH4       ,100.0  1.0%LEL", "CH4", true, 100.0f, 1.0f, 1, "%LEL"},
        {"O2        , 25.0  0.1%   ", "O2", true, 25.0f, 0.1f, 1, "%"},
        {"i-C4 H10  ,  100    1ppm ", "i-C4H10", true, 100.0f, 1.0f, 0, "ppm"},
        {"H2S       ,30.00 0.05 ppm", "H2S", true, 30.0f, 0.05f, 2, "ppm"},
        {"CO        ,5.0    0.5ppm ", "CO", true, 5.0f, 0.5f, 1, "ppm"},  // blanks after a number are no decimals
        {"*************************", "", false, -101.0f, 0.0f, -101, ""},
    };
    for (const Case& c : cases) {
        ASSERT_EQ(std::string(c.text).size(), 25u) << c.text;
        clsInstrument o;
        o.GasName(2, QStringLiteral("OLD"));
        ParseGasInfoText(QString::fromLatin1(c.text), o, 2);
        EXPECT_EQ(o.GasName(2), QString::fromLatin1(c.name)) << c.text;
        EXPECT_EQ(o.GasEnabled(2), c.enabled) << c.text;
        EXPECT_EQ(o.GasFullScale(2), c.fullScale) << c.text;
        EXPECT_EQ(o.GasDesit(2), c.digit) << c.text;
        EXPECT_EQ(o.GasPoint(2), c.point) << c.text;
        EXPECT_EQ(o.GasUnit(2), QString::fromLatin1(c.unit)) << c.text;
        EXPECT_EQ(RaisedFlags(o), (Names{"Change_GasEnable(2)", "Change_GasPoint(2)"})) << c.text;
    }
}

TEST(GasInfoText, ANumberFieldThatIsNotANumberChangesNothing) {
    for (const char* text : {"CH4       ,1O0.0  1.0%LEL", "CH4       ,100.0  x.0%LEL",
                             "CH4       ,     " /* cut short */}) {
        clsInstrument o;
        ParseGasInfoText(QStringLiteral("O2        , 25.0  0.1%   "), o, 0);
        o.ClearChangeFlags();
        EXPECT_EQ(ErrorOf([&] { ParseGasInfoText(QString::fromLatin1(text), o, 0); }), ErrTypeMismatch) << text;
        EXPECT_EQ(o.GasName(0), QStringLiteral("O2")) << text;
        EXPECT_EQ(o.GasFullScale(0), 25.0f) << text;
        EXPECT_EQ(RaisedFlags(o), Names{}) << text;
    }
}

// ---- Copies of the detail settings dialog ----------------------------------------------------

// Items the opening copy takes from the edited instrument into the working copy.
const Names& OpeningCopyItems() {
    static const Names items{
        "RomNumber", "UserID", "StationID", "SerialNo", "SysDate", "SysDateOffset", "DummySerial",
        "HcMode", "AlarmMode", "DispCalLimit", "CalLimit", "CalCheck", "LogOverWrite", "LcdBackLight",
        "autoBackLight", "AlarmOnOff", "StelTwaOnOff", "BumpTime", "BumpThreshold", "BumpFailAfter",
        "BumpFailCalTime", "LcBhMode", "BhTime", "LcBuzzer", "StationList(5)", "StationList(127)",
        "FlowLevel", "AlarmO2", "SpecType", "AutoZero", "DemandZero", "UseUserPassword", "UserPassword2",
        "GasName(0)", "GasDesit(0)", "GasPoint(0)", "GasUnit(0)", "GasFullScale(0)", "GasEnabled(0)",
        "Warning(0)", "Alarm(0)", "Stel(0)", "Twa(0)", "AutoCalib(0)", "Zero(0)", "OverScale(0)"};
    return items;
}

// Items the copy-back returns when their flag is set in the working copy.
const Names& CopyBackItems() {
    static const Names items{
        "UserID", "StationID", "SerialNo", "DummySerial", "HcMode", "AlarmMode", "DispCalLimit",
        "CalLimit", "CalCheck", "LogOverWrite", "LcdBackLight", "autoBackLight", "AlarmOnOff",
        "StelTwaOnOff", "BumpTime", "BumpThreshold", "BumpFailAfter", "BumpFailCalTime", "LcBhMode",
        "BhTime", "LcBuzzer", "StationList(5)", "StationList(127)", "FlowLevel", "AlarmO2", "SpecType",
        "AutoZero", "DemandZero", "UseUserPassword", "UserPassword2", "GasPoint(0)", "GasEnabled(0)",
        "Warning(0)", "Alarm(0)", "Stel(0)", "Twa(0)", "Zero(0)", "OverScale(0)"};
    return items;
}

TEST(GasInfoText, SlotCaptionsComeFromTheGasSlots) {
    clsInstrument instrument;
    EXPECT_EQ(GasCaptionOf(instrument, 0), "----(---)");  // a reset slot has no name
    instrument.GasName(1, QStringLiteral("CH4"));
    instrument.GasFullScale(1, 100);
    instrument.GasPoint(1, 1);
    instrument.GasUnit(1, QStringLiteral("%LEL"));
    EXPECT_EQ(GasCaptionOf(instrument, 1), "CH4(100.0%LEL)");
    instrument.GasFullScale(1, -1);
    EXPECT_EQ(GasCaptionOf(instrument, 1), "CH4(-1.0%LEL)");  // no -1 rule for objects
    EXPECT_EQ(GasCaptionOf(&instrument, 5), "----(---)");      // outside the gas slots
}

TEST(InstrumentCopy, OpeningCopyTakesTheDialogItemsOnly) {
    const clsInstrument fresh;
    for (const Setter& s : AllSetters()) {
        clsInstrument edited;
        s.set(edited);
        ASSERT_NE(s.read(edited), s.read(fresh)) << s.name << " needs a value that differs from the start";
        clsInstrument working;
        CopyInstrumentSettings(working, edited, false);
        if (OpeningCopyItems().contains(s.name))
            EXPECT_EQ(s.read(working), s.read(edited)) << s.name << " must be copied";
        else
            EXPECT_EQ(s.read(working), s.read(fresh)) << s.name << " must not be copied";
    }
}

TEST(InstrumentCopy, CopyBackTakesOnlyFlaggedItemsAndKeepsOtherFlags) {
    const clsInstrument fresh;
    for (const Setter& s : AllSetters()) {
        clsInstrument main;
        main.Change_MT(true);  // a flag of the main instrument that the dialog must leave alone
        clsInstrument working;
        CopyInstrumentSettings(working, main, false);
        working.ClearChangeFlags();
        s.set(working);

        CopyInstrumentSettings(main, working, true);
        if (CopyBackItems().contains(s.name)) {
            EXPECT_EQ(s.read(main), s.read(working)) << s.name << " must be copied back";
            Names flags = s.flags;
            flags.insert("Change_MT");
            EXPECT_EQ(RaisedFlags(main), flags) << s.name;
        } else {
            EXPECT_EQ(s.read(main), s.read(fresh)) << s.name << " must not be copied back";
            EXPECT_EQ(RaisedFlags(main), Names{"Change_MT"}) << s.name;
        }
    }
}

TEST(InstrumentCopy, ARaisedFlagCopiesBackEvenAnUnchangedValue) {
    clsInstrument main;
    clsInstrument working;
    CopyInstrumentSettings(working, main, false);
    working.ClearChangeFlags();
    working.Change_CalLimit(true);
    working.CalCheck(2);
    working.Change_CalCheck(false);  // edited, then unflagged: stays in the dialog

    CopyInstrumentSettings(main, working, true);
    EXPECT_EQ(RaisedFlags(main), Names{"Change_CalLimit"});
    EXPECT_EQ(main.CalLimit(), 1);
    EXPECT_EQ(main.CalCheck(), 0);
}

// ---- Sample instrument -------------------------------------------------------------------------

TEST(SampleInstrument, IsCreatedOnFirstUseAndDroppedWithTheReset) {
    ResetSampleInstrument();
    EXPECT_FALSE(SampleInstrumentExists());
    clsInstrument& sample = SampleInstrument();
    EXPECT_TRUE(SampleInstrumentExists());
    EXPECT_EQ(sample.CalLimit(), 1) << "starts reset";
    sample.CalLimit(90);
    EXPECT_EQ(SampleInstrument().CalLimit(), 90) << "the same object on every use";
    ResetSampleInstrument();
    EXPECT_EQ(SampleInstrument().CalLimit(), 1);
    ResetSampleInstrument();
}

}  // namespace
}  // namespace mt52
