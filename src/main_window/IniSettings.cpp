#include "main_window/IniSettings.h"

#include "common/FolderPath.h"
#include "common/ModuleState.h"
#include "common/ResText.h"
#include "common/clsToken.h"
#include "instrument/clsInstrument.h"
#include "platform/Clock.h"
#include "platform/Numbers.h"
#include "platform/RuntimeError.h"

#include <QFile>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStringDecoder>
#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>

namespace mt52 {
namespace {

const QString kTab = QStringLiteral("\t");

// Characters escaped in texts, with their codes.
constexpr std::array<std::pair<char16_t, const char*>, 6> kEscapes{{
    {u'%', "25"}, {u'\'', "27"}, {u';', "3B"}, {u'\t', "09"}, {u'\r', "0D"}, {u'\n', "0A"}}};

// The escape whose two hex digits stand at the position, or nullptr.
const std::pair<char16_t, const char*>* EscapeAt(const QString& text, int position) {
    if (position + 2 > text.size())
        return nullptr;
    const QString code = text.mid(position, 2).toUpper();
    const auto it = std::find_if(kEscapes.begin(), kEscapes.end(),
                                 [&code](const auto& e) { return code == QLatin1String(e.second); });
    return it == kEscapes.end() ? nullptr : &*it;
}

// A number as the file holds it: optional sign, digits with one optional ".", optional exponent.
// One too large for a double ("1e999") is not a number either, so it takes the fallback too.
std::optional<double> NumberOf(const QString& token) {
    static const QRegularExpression number(QStringLiteral(R"(^\s*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?\s*$)"));
    if (!number.match(token).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double value = token.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(value))
        return std::nullopt;
    return value;
}

// The values of one line, after its key. Numbers that are not numeric take the key's
// fallback; a number out of range raises the overflow error, which drops the whole line.
class LineValues {
public:
    explicit LineValues(const clsToken& tokens) : tokens_(tokens) {}

    int count() const { return tokens_.TokenCount() - 1; }
    QString text(int i) const { return UnescapeIniText(raw(i)); }
    bool boolean(int i) const { return raw(i).toUpper() == u"TRUE"; }
    bool isNumber(int i) const { return NumberOf(raw(i)).has_value(); }
    Integer int16(int i, Integer fallback) const {
        const auto v = NumberOf(raw(i));
        return v ? ToInteger(*v) : fallback;
    }
    Long int32(int i, Long fallback) const {
        const auto v = NumberOf(raw(i));
        return v ? ToLong(*v) : fallback;
    }
    Single single(int i, Single fallback) const {
        const auto v = NumberOf(raw(i));
        return v ? ToSingle(*v) : fallback;
    }
    // A STEL or TWA level: -1 in the file means "none", kept as -101.
    Single level(int i) const {
        const Single v = single(i, 0);
        return v == -1.0f ? -101.0f : v;
    }

private:
    QString raw(int i) const { return tokens_.Tokens(static_cast<Integer>(i + 1)); }
    const clsToken& tokens_;
};

struct KeyReader {
    const char* key;  // upper case
    int values;       // the fewest values the line must hold
    std::function<void(const LineValues&, WindowSettings&)> read;
};

const std::vector<KeyReader>& KeyReaders() {
    static const std::vector<KeyReader> readers{
        {"EXECUTE COUNT", 1, [](const LineValues& v, WindowSettings&) { State().ExecuteCount = v.int32(0, 0); }},
        {"SERIAL LOG FILE", 1,
         [](const LineValues& v, WindowSettings&) { State().SerialLogOn = v.text(0).toUpper() == u"ON"; }},
        {"FACTORY RECORD SUFFIX", 1, [](const LineValues& v, WindowSettings&) { State().RecordSuffix = v.text(0); }},
        {"TIMEOUT", 1, [](const LineValues& v, WindowSettings&) { State().LinkTimeout = v.int16(0, 3); }},
        {"DELAY", 1, [](const LineValues& v, WindowSettings&) { State().LinkDelay = v.int16(0, 100); }},
        {"RETRY", 1, [](const LineValues& v, WindowSettings&) { State().LinkRetry = v.int16(0, 3); }},
        {"AUTO LOAD MODE", 3,
         [](const LineValues& v, WindowSettings&) {
             State().AutoLoadOn = v.boolean(0);
             State().AutoRemoveOn = v.boolean(1);
             State().AutoTerminateOn = v.boolean(2);
         }},
        {"FONT", 5,
         [](const LineValues& v, WindowSettings&) {
             // A size no text can be read in keeps the default font, which is written back.
             const Single size = v.single(1, 9);
             if (!(size >= MinimumFontPoints && size <= MaximumFontPoints))
                 return;
             FontSpec font = State().CommonFont;
             font.name = v.text(0);
             font.size = size;
             font.bold = v.boolean(2);
             font.italic = v.boolean(3);
             font.underline = v.boolean(4);
             State().CommonFont = font;
         }},
        {"GRAPH COLOR", 4,
         [](const LineValues& v, WindowSettings& window) {
             const std::array<Long, 3> colors{v.int32(0, 1), v.int32(1, 15790320), v.int32(2, 16728128)};
             State().GraphColors[0] = v.int32(3, 0);
             window.graphColors = colors;
         }},
        {"LIMITDAYS", 1, [](const LineValues& v, WindowSettings&) { State().CalDueWarnDays = v.int16(0, 0); }},
        {"CALIB. RANGE", 1,
         [](const LineValues& v, WindowSettings&) { State().CalibRanges[0] = static_cast<Single>(v.int32(0, 0)); }},
        {"DEFAULTVALUE1", 6,
         [](const LineValues& v, WindowSettings&) {
             // The fifth value is a number; "TRUE" and "FALSE" of older files read as 1 and 0.
             const QString dispText = v.text(4).trimmed().toUpper();
             const Integer disp = dispText == u"TRUE" ? 1 : v.int16(4, 0);
             const std::array<Integer, 5> others{v.int16(0, 90), v.int16(1, 30), v.int16(2, 1), v.int16(3, 5),
                                                 v.int16(5, 0)};
             clsInstrument& sample = SampleInstrument();
             sample.CalLimit(others[0]);
             sample.LcdBackLight(others[1]);
             sample.AlarmMode(others[2]);
             sample.Intervals(others[3]);
             sample.DispCalLimit(disp);
             sample.CalCheck(others[4]);
         }},
        {"DEFAULTVALUE2", 5,
         [](const LineValues& v, WindowSettings&) {
             const std::array<Integer, 5> values{v.int16(0, 1), v.int16(1, 128), v.int16(2, 1), v.int16(3, 0),
                                                 v.int16(4, 1)};
             clsInstrument& sample = SampleInstrument();
             sample.LogOverWrite(values[0]);
             sample.FlowValue(values[1]);
             sample.AlarmO2(values[2]);
             sample.AutoZero(values[3]);
             sample.DemandZero(values[4]);
         }},
        {"GAS INST", 15,
         [](const LineValues& v, WindowSettings&) {
             if (!v.isNumber(0))
                 return;
             const int n = v.int16(0, 0) - 1;
             const QString name = v.text(1), unit = v.text(5);
             const bool enabled = v.boolean(2), locked = v.boolean(3);
             const Integer point = v.int16(4, 0);
             const Single warning = v.single(6, 0), alarm = v.single(7, 0), stel = v.level(8), twa = v.level(9);
             const Single digit = v.single(10, 0), fullScale = v.single(11, 0), autoCal = v.single(12, 0);
             const Single factAutoCal = v.single(13, 0);
             const Long color = v.int32(14, 0);
             if (n >= 0 && n < GasSlotCount) {
                 clsInstrument& sample = SampleInstrument();
                 const auto slot = static_cast<Integer>(n);
                 sample.GasName(slot, name);
                 sample.GasEnabled(slot, enabled);
                 sample.GasPoint(slot, point);
                 sample.GasUnit(slot, unit);
                 sample.Warning(slot, warning);
                 sample.Alarm(slot, alarm);
                 sample.Stel(slot, stel);
                 sample.Twa(slot, twa);
                 sample.GasDesit(slot, digit);
                 sample.GasFullScale(slot, fullScale);
                 sample.AutoCalib(slot, autoCal);
             }
             ModuleState& s = State();
             if (n >= 0 && n < static_cast<int>(s.GasLockedFlags.size()))
                 s.GasLockedFlags[static_cast<std::size_t>(n)] = locked;
             if (n >= 0 && n < static_cast<int>(s.FactAutoCals.size()))
                 s.FactAutoCals[static_cast<std::size_t>(n)] = factAutoCal;
             if (n == 0)
                 s.GraphColors[0] = color;
         }},
        {"CHGGAS", 14,
         [](const LineValues& v, WindowSettings&) {
             if (!v.isNumber(0) || !v.isNumber(1))
                 return;
             const int gasNo = v.int16(0, 0), no = v.int16(1, 0);
             if (gasNo < 1 || gasNo > GasTableSlots || no < 1 || no > GasTableChoices)
                 return;
             GasDefinition gas = State().GasTable[static_cast<std::size_t>(gasNo - 1)][static_cast<std::size_t>(no - 1)];
             gas.Name = v.text(2);
             gas.Enabled = v.boolean(3);
             gas.Locked = v.boolean(4);
             gas.Point = v.int16(5, 0);
             gas.Unit = v.text(6);
             gas.Warning = v.single(7, 0);
             gas.Alarm = v.single(8, 0);
             gas.STEL = v.level(9);
             gas.TWA = v.level(10);
             gas.Digit = v.single(11, 0);
             gas.FullScale = v.single(12, 0);
             gas.AutoCal = v.single(13, 0);
             State().GasTable[static_cast<std::size_t>(gasNo - 1)][static_cast<std::size_t>(no - 1)] = gas;
         }},
        {"CALUNITONWAIT", 1, [](const LineValues& v, WindowSettings&) { State().CalUnitOnWaitTime = v.int16(0, 120); }},
        {"CALSPANONWAIT", 1, [](const LineValues& v, WindowSettings&) { State().CalSpanOnWaitTime = v.int16(0, 120); }},
        {"CALSPANOFFWAIT", 1, [](const LineValues& v, WindowSettings&) { State().CalSpanOffWaitTime = v.int16(0, 30); }},
        {"DATA SELECT", 3,
         [](const LineValues& v, WindowSettings& window) {
             window.dataSelect = std::array<bool, 3>{v.boolean(0), v.boolean(1), v.boolean(2)};
         }},
        {"SIZE VALUES", 3,
         [](const LineValues& v, WindowSettings& window) {
             window.placement = WindowPlacement{v.int16(0, 1), v.single(1, 7680), v.single(2, 5760)};
         }},
        {"PRT WIDTH", 2,
         [](const LineValues& v, WindowSettings&) {
             const Single data = v.single(0, 1), scale = v.single(1, 1);
             State().PrintLineWidths[0] = data;
             State().PrintLineWidths[1] = scale;
         }},
        {"COMPLETELY VIEW", 1, [](const LineValues& v, WindowSettings&) { State().CompletelyViewOn = v.boolean(0); }},
        {"TREND SEARCH", 2,
         [](const LineValues& v, WindowSettings&) {
             const Integer before = v.int16(0, 0), after = v.int16(1, 0);
             State().TrendSearchBefore = before;
             State().TrendSearchAfter = after;
         }},
        {"COMPLETELY READ", 1, [](const LineValues& v, WindowSettings&) { State().CompletelyReadOn = v.boolean(0); }},
        {"MT-52", 1,
         [](const LineValues& v, WindowSettings&) {
             // A line that decodes to nothing leaves the deletion lock with its password.
             const QString password = PassDecode(PassDecode(v.text(0)));
             if (!password.isEmpty())
                 State().LockPassword = password;
         }},
        {"DATALOCATION", 1, [](const LineValues& v, WindowSettings&) { State().DataRoot = v.text(0); }},
    };
    return readers;
}

// The file's text: UTF-8, or, for a file that is not valid UTF-8 (one written on Windows by
// an existing installation), the Windows code page of the interface language: Shift_JIS for
// Japanese, Windows-1252 for English. Latin-1 stands in when that code page is not available.
QString DecodeFile(const QByteArray& bytes) {
    QStringDecoder utf8(QStringDecoder::Utf8);
    QString text = utf8(bytes);
    if (!utf8.hasError())
        return text;
    QStringDecoder codePage(InterfaceLanguage() == Language::Japanese ? "Shift_JIS" : "windows-1252");
    if (codePage.isValid()) {
        text = codePage(bytes);
        if (!codePage.hasError())
            return text;
    }
    return QString::fromLatin1(bytes);
}

Long NextExecuteCount() {
    const Long count = State().ExecuteCount;
    return count < std::numeric_limits<Long>::max() ? count + 1 : count;
}

QString Bool(bool v) { return v ? QStringLiteral("True") : QStringLiteral("False"); }
QString UpperBool(bool v) { return v ? QStringLiteral("TRUE") : QStringLiteral("FALSE"); }
QString Num(Single v) { return SingleToText(v); }
QString Quoted(const QString& text) { return QLatin1Char('\'') + EscapeIniText(text) + QLatin1Char('\''); }

QString Line(const QString& key, const QStringList& values) { return key + kTab + values.join(kTab); }

QString MakerNotice() {
    if (GetResText(101) == u"EN")
        return QStringLiteral(";      Settings of the MT-52 management program. Written again whenever the program closes.");
    return QStringLiteral(";      MT-52 管理プログラムの設定ファイルです。プログラムの終了時に書き直されます。");
}

QStringList FileLines(const WindowSettings& window) {
    const ModuleState& s = State();
    const clsInstrument& sample = SampleInstrument();
    const std::array<Long, 3> colors = window.graphColors.value_or(FallbackGraphColors);
    const std::array<bool, 3> select = window.dataSelect.value_or(std::array<bool, 3>{});
    const WindowPlacement place = window.placement.value_or(FallbackPlacement);
    const auto orDefault = [](Integer v, Integer d) { return QString::number(v == 0 ? d : v); };

    QStringList lines{
        QStringLiteral(";"),
        QStringLiteral(";            MT-52 Data logger program"),
        QStringLiteral(";      Last update = ") + GeneralDate(Now()),
        QStringLiteral(";         Delimiter is tab,comma(,) character"),
        QStringLiteral(";           This file is changed set menu"),
        QStringLiteral(";"),
        MakerNotice(),
        QStringLiteral(";"),
        QString(),
        Line(QStringLiteral("Execute Count"), {QString::number(NextExecuteCount())}),
        Line(QStringLiteral("Serial Log File"), {s.SerialLogOn ? QStringLiteral("ON") : QStringLiteral("OFF")}),
        Line(QStringLiteral("Factory Record Suffix"), {EscapeIniText(s.RecordSuffix)}),
        Line(QStringLiteral("IrCOMM Num"), {QString::number(s.CommPortNumber)}),
        Line(QStringLiteral("COMM Settings"), {EscapeIniText(s.LinkSettings)}),
        Line(QStringLiteral("Timeout"), {orDefault(s.LinkTimeout, 3)}),
        Line(QStringLiteral("Delay"), {orDefault(s.LinkDelay, 300)}),
        Line(QStringLiteral("Retry"), {orDefault(s.LinkRetry, 3)}),
        QString(),
        QStringLiteral(";"),
        QStringLiteral("; Formats = Autoload enable, Auto remove data enable"),
        QStringLiteral(";"),
        Line(QStringLiteral("Auto Load Mode"), {Bool(s.AutoLoadOn), Bool(s.AutoRemoveOn), Bool(s.AutoTerminateOn)}),
        QString(),
        QStringLiteral(";"),
        QStringLiteral("; Formats = Name , Size , Bold , Italic , Underline (Font setting)"),
        QStringLiteral(";"),
        Line(QStringLiteral("Font"), {Quoted(s.CommonFont.name), FormatNumber(s.CommonFont.size, QStringLiteral("0.####")),
                                      Bool(s.CommonFont.bold), Bool(s.CommonFont.italic), Bool(s.CommonFont.underline)}),
        QString(),
        QStringLiteral(";"),
        QStringLiteral("; Formats = Scale , Back , Cursor (RGB) (Color datas), Gas1, Gas2, Gas3, Gas4"),
        QStringLiteral(";"),
        Line(QStringLiteral("Graph Color"), {QString::number(colors[0]), QString::number(colors[1]),
                                             QString::number(colors[2]), QString::number(s.GraphColors[0])}),
        QString(),
        QStringLiteral(";"),
        QStringLiteral("; Formats = Gas1...Gas4 (Calibration Range ... Serial Value Format)"),
        QStringLiteral(";"),
        Line(QStringLiteral("Calib. Range"), {Num(s.CalibRanges[0])}),
        QString(),
        QStringLiteral(";"),
        QStringLiteral("; Gas Instrument Information."),
        QStringLiteral(";"),
        QStringLiteral("; CalibLimit, BackLightTime, AlarmPattern, IntervalCycle, Cal Disp,  Cal Proc"),
        Line(QStringLiteral("DefaultValue1"),
             {QString::number(sample.CalLimit()), QString::number(sample.LcdBackLight()),
              QString::number(sample.AlarmMode()), QString::number(sample.Intervals()),
              QString::number(sample.DispCalLimit()), QString::number(sample.CalCheck())}),
        QStringLiteral("; Overwrite, FlowDA, Oxy alarm type, Auto Zero, Demand Zero, Enabled UserPassword"),
        Line(QStringLiteral("DefaultValue2"),
             {QString::number(sample.LogOverWrite()), QString::number(sample.FlowValue()),
              QString::number(sample.AlarmO2()), QString::number(sample.AutoZero()),
              QString::number(sample.DemandZero())}),
        QStringLiteral(";"),
        QStringLiteral("; Gas Instrument Information."),
        QStringLiteral("; Format = No , Name , Enabled , Locked , Points , Unit , Warning , Alarm , STEL , TWA , "
                       "Digit , FullSacle , AutoCal ,  Fact AutoCal. , GraphColor"),
        QStringLiteral(";"),
        Line(QStringLiteral("Gas Inst"),
             {QStringLiteral("1"), Quoted(sample.GasName(0)), UpperBool(sample.GasEnabled(0)),
              Bool(s.GasLockedFlags[0]), QString::number(sample.GasPoint(0)), Quoted(sample.GasUnit(0)),
              Num(sample.Warning(0)), Num(sample.Alarm(0)), Num(sample.Stel(0)), Num(sample.Twa(0)),
              Num(sample.GasDesit(0)), Num(sample.GasFullScale(0)), Num(sample.AutoCalib(0)), Num(s.FactAutoCals[0]),
              QString::number(s.GraphColors[0])}),
        QString(),
        QStringLiteral(";"),
        QStringLiteral(";Changed Gas Lists"),
        QStringLiteral("; Format = GasNo , No , Name , Enabled , Locked , Points , Unit , Warning , Alarm , STEL , "
                       "TWA , Digit , FullSacle , AutoCal"),
        QStringLiteral(";"),
        QStringLiteral("; GasNo 1"),
    };
    for (int no = 1; no <= 8; ++no) {
        const GasDefinition& g = s.GasTable[0][static_cast<std::size_t>(no - 1)];
        lines << Line(QStringLiteral("ChgGas"),
                      {QStringLiteral("1"), QString::number(no), Quoted(g.Name), UpperBool(g.Enabled), Bool(g.Locked),
                       QString::number(g.Point), Quoted(g.Unit), Num(g.Warning), Num(g.Alarm), Num(g.STEL), Num(g.TWA),
                       Num(g.Digit), Num(g.FullScale), Num(g.AutoCal)});
    }
    lines << QStringLiteral(";")
          << QStringLiteral("; Calibration Timer 1 : Cal.Unit On After Zero Calib, Bitween wait time.")
          << Line(QStringLiteral("CalUnitOnWait"), {QString::number(s.CalUnitOnWaitTime)})
          << QStringLiteral("; Calibration Timer 2 : Span Gas valve On To Span Calib, Bitween wait time.")
          << Line(QStringLiteral("CalSpanOnWait"), {QString::number(s.CalSpanOnWaitTime)})
          << QStringLiteral("; Calibration Timer 3 : Span valve Off After Cal.Unit Off, Bitween wait time.")
          << Line(QStringLiteral("CalSpanOffWait"), {QString::number(s.CalSpanOffWaitTime)})
          << QString()
          << QStringLiteral("; ")
          << QStringLiteral("; Format = SerialNo,StationID,UserID")
          << Line(QStringLiteral("Data Select"), {Bool(select[0]), Bool(select[1]), Bool(select[2])})
          << QString() << QStringLiteral(";")
          << QStringLiteral("; Formats = Form status , Form width , Form height (Twips value)")
          << QStringLiteral(";")
          << Line(QStringLiteral("Size Values"), {QString::number(place.state), Num(place.width), Num(place.height)})
          << QString() << QStringLiteral(";")
          << QStringLiteral("; Formats = Printing Data Line Width, Printing Scale Line Width")
          << QStringLiteral(";")
          << Line(QStringLiteral("Prt Width"), {Num(s.PrintLineWidths[0]), Num(s.PrintLineWidths[1])})
          << QString() << QStringLiteral(";")
          << QStringLiteral("; Format = True or False")
          << QStringLiteral(";")
          << Line(QStringLiteral("Completely View"), {Bool(s.CompletelyViewOn)})
          << QString() << QStringLiteral(";")
          << QStringLiteral("; ; Format = Before Event , After Event")
          << QStringLiteral(";")
          << Line(QStringLiteral("Trend Search"),
                  {QString::number(s.TrendSearchBefore), QString::number(s.TrendSearchAfter)})
          << QString() << QStringLiteral(";")
          << Line(QStringLiteral("Completely Read"), {Bool(s.CompletelyReadOn)})
          << QStringLiteral(";")
          << Line(QStringLiteral("MT-52"), {EscapeIniText(PassEncode(PassEncode(s.LockPassword)))})
          << QStringLiteral(";")
          << Line(QStringLiteral("DataLocation"), {EscapeIniText(s.DataRoot)});
    return lines;
}

}  // namespace

QString IniFilePath() {
    return JoinFolder(State().StartDir, QStringLiteral("MT52.ini"));
}

void LoadIniSettings(WindowSettings& window) {
    QFile file(IniFilePath());
    if (!file.exists() || !file.open(QIODevice::ReadOnly))
        return;
    const QString text = DecodeFile(file.readAll());
    file.close();

    clsToken tokens;
    tokens.AddComments(QStringLiteral(";"));
    tokens.AddDelimiters(kTab);
    tokens.AddStrings(QStringLiteral("'"));
    for (QString line : text.split(u'\n')) {
        if (line.endsWith(u'\r'))
            line.chop(1);
        try {
            tokens.Source(line);
            if (tokens.TokenCount() < 2)
                continue;
            const QString key = tokens.Tokens(0).toUpper();
            for (const KeyReader& reader : KeyReaders()) {
                if (key != QLatin1String(reader.key))
                    continue;
                const LineValues values(tokens);
                if (values.count() >= reader.values)
                    reader.read(values, window);
                break;
            }
        } catch (const RuntimeError&) {
            // A value out of the range of its key, an over-long line or a password that does not
            // decode: the key keeps its value and the reading goes on.
        }
    }
}

void SaveIniSettings(const WindowSettings& window) {
    const QString path = IniFilePath();
    const QStringList lines = FileLines(window);
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        Raise(ErrPathFileAccess, QStringLiteral("The settings file \"%1\" cannot be written: %2").arg(path, file.errorString()));
    file.write((lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n")).toUtf8());
    if (!file.commit())
        Raise(ErrPathFileAccess, QStringLiteral("The settings file \"%1\" cannot be written: %2").arg(path, file.errorString()));
    State().ExecuteCount = NextExecuteCount();
}

QString PassDecode(const QString& text) {
    QString out;
    for (int k = 0; 2 * k + 1 < text.size(); ++k) {
        const int a = text.at(2 * k).unicode(), b = text.at(2 * k + 1).unicode();
        const int low = static_cast<std::uint16_t>(static_cast<std::int16_t>(a - 70)) & 0xF;
        const int code = (b - 70) * 16 + low - k;
        if (code < 0 || code > 0xFFFF)
            Raise(ErrInvalidArgument, QStringLiteral("the stored password does not decode"));
        out += QChar(static_cast<char16_t>(code));
    }
    return out;
}

QString PassEncode(const QString& text) {
    QString out;
    for (int k = 0; k < text.size(); ++k) {
        const int v = text.at(k).unicode() + k;
        out += QChar(static_cast<char16_t>(70 + (v & 0xF)));
        out += QChar(static_cast<char16_t>(70 + (v >> 4)));
    }
    return out;
}

QString EscapeIniText(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        const QChar c = text.at(i);
        const auto it = std::find_if(kEscapes.begin(), kEscapes.end(), [c](const auto& e) { return e.first == c; });
        // "%" stays as it is ("%LEL") unless it would read back as the start of a code.
        const bool escape = it != kEscapes.end() && (c != u'%' || EscapeAt(text, i + 1) != nullptr);
        if (escape)
            out += u'%' + QLatin1String(it->second);
        else
            out += c;
    }
    return out;
}

QString UnescapeIniText(const QString& text) {
    QString out;
    out.reserve(text.size());
    for (int i = 0; i < text.size(); ++i) {
        if (text.at(i) == u'%') {
            if (const auto* escape = EscapeAt(text, i + 1)) {
                out += QChar(escape->first);
                i += 2;
                continue;
            }
        }
        out += text.at(i);
    }
    return out;
}

}  // namespace mt52
