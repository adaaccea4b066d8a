#include "instrument/DetailSettingRows.h"

#include "common/ResText.h"
#include "common/TextHelpers.h"
#include "common/clsToken.h"
#include "instrument/clsInstrument.h"

#include <QStringList>
#include <optional>

namespace mt52 {

namespace {

using Getter = Long (*)(const clsInstrument&);
using Setter = void (*)(clsInstrument&, Long);

// How a choice row's cell text maps to its stored value.
enum class Mapping {
    None,        // typed and read-only rows
    FirstOrOne,  // item 0 gives 0, any other text 1 (the on/off rows and "Alarm pattern")
    CalCheck,    // item 0 gives 0, item 1 gives 1, any other text 2
    HcSelect,    // "AUTO" 0, "VOL" 2, any other text 1
    O2Alarm,     // "H-L" 0, any other text 1
    Numbers,     // the cell's number's position in the list; 0 for any other
};

struct RowDef {
    int captionId;
    SettingRowKind kind;
    Mapping mapping;
    Getter get;
    Setter set;
};

const QString OffOn = QStringLiteral("Off|On");

// One row per grid row 1 to 21, in grid order.
#define MT52_ROW(caption, kind, mapping, member)                                                      \
    RowDef {                                                                                         \
        caption, kind, mapping, [](const clsInstrument& i) -> Long { return i.member(); },           \
            [](clsInstrument& i, Long v) { i.member(static_cast<decltype(i.member())>(v)); }         \
    }

const std::array<RowDef, DetailSettingRows - 1>& Rows() {
    using K = SettingRowKind;
    using M = Mapping;
    static const std::array<RowDef, DetailSettingRows - 1> rows = {
        MT52_ROW(8004, K::Choice, M::FirstOrOne, AlarmMode),
        MT52_ROW(8009, K::Choice, M::FirstOrOne, LogOverWrite),
        MT52_ROW(8007, K::Typed, M::None, CalLimit),
        MT52_ROW(8010, K::Choice, M::FirstOrOne, DispCalLimit),
        MT52_ROW(8011, K::Choice, M::CalCheck, CalCheck),
        MT52_ROW(8036, K::Choice, M::HcSelect, HcMode),
        MT52_ROW(8022, K::Choice, M::O2Alarm, AlarmO2),
        MT52_ROW(8027, K::Choice, M::FirstOrOne, autoBackLight),
        MT52_ROW(8023, K::Typed, M::None, LcdBackLight),
        MT52_ROW(8037, K::Choice, M::FirstOrOne, AlarmOnOff),
        MT52_ROW(8028, K::Choice, M::FirstOrOne, StelTwaOnOff),
        MT52_ROW(8029, K::Choice, M::Numbers, BumpTime),
        MT52_ROW(8030, K::Choice, M::Numbers, BumpThreshold),
        MT52_ROW(8032, K::Choice, M::Numbers, BumpFailCalTime),
        MT52_ROW(8031, K::Choice, M::FirstOrOne, BumpFailAfter),
        MT52_ROW(8033, K::Choice, M::FirstOrOne, LcBhMode),
        MT52_ROW(8034, K::Choice, M::Numbers, BhTime),
        MT52_ROW(8035, K::Choice, M::FirstOrOne, LcBuzzer),
        MT52_ROW(8019, K::Choice, M::FirstOrOne, AutoZero),
        MT52_ROW(8020, K::Choice, M::FirstOrOne, DemandZero),
        MT52_ROW(8026, K::ReadOnly, M::None, FlowLevel),
    };
    return rows;
}

#undef MT52_ROW

const RowDef* RowAt(int row) {
    if (row < 1 || row >= DetailSettingRows)
        return nullptr;
    return &Rows()[static_cast<std::size_t>(row - 1)];
}

// The order in which OK applies the rows (the order of the options in the model).
constexpr std::array<int, DetailSettingRows - 1> ApplyOrder = {6, 1, 7, 3, 2, 9, 8, 10, 11, 12, 13,
                                                               15, 14, 16, 17, 18, 21, 4, 5, 19, 20};

bool SameItem(const QString& cellText, const QString& item) {
    return cellText.trimmed().toUpper() == item.toUpper();
}

// The value of a text of digits, when it has one and fits 16 bits.
std::optional<Long> DigitsValue(const QString& text) {
    if (text.isEmpty() || !IsAllDigits(text))
        return std::nullopt;
    bool ok = false;
    const qlonglong value = text.toLongLong(&ok);
    if (!ok || value > 32767)
        return std::nullopt;
    return static_cast<Long>(value);
}

}  // namespace

SettingRowKind DetailRowKind(int row) {
    const RowDef* def = RowAt(row);
    return def ? def->kind : SettingRowKind::ReadOnly;
}

int DetailRowCaptionId(int row) {
    const RowDef* def = RowAt(row);
    return def ? def->captionId : 0;
}

QString DetailChoiceList(int row) {
    switch (row) {
    case 1: return GetResText(8005) + u'|' + GetResText(8006);
    case 5: return GetResText(8012) + u'|' + GetResText(8013) + QStringLiteral("||") + GetResText(8014);
    case 6: return QStringLiteral("Auto|LEL|vol");
    case 7: return QStringLiteral("H-L|L-LL");
    case 12: return QStringLiteral("30|45|60|90");
    case 13: return QStringLiteral("10|20|30|40|50");
    case 14: return QStringLiteral("90|120");
    case 17: return QStringLiteral("30|45|60");
    default: return DetailRowKind(row) == SettingRowKind::Choice ? OffOn : QString();
    }
}

QString ChoiceItemText(const QString& list, Long position) {
    if (position < 0 || position >= clsToken::MaxTokens - 1)
        return QString();
    clsToken token;
    token.AddDelimiters(QStringLiteral("|"));
    token.Source(list);
    if (position >= token.TokenCount())
        return QString();
    return token.Tokens(static_cast<Integer>(position));
}

Long DetailSettingValue(const clsInstrument& instrument, int row) {
    const RowDef* def = RowAt(row);
    return def ? def->get(instrument) : 0;
}

void SetDetailSettingValue(clsInstrument& instrument, int row, Long value) {
    if (const RowDef* def = RowAt(row))
        def->set(instrument, value);
}

QString DetailCellText(const clsInstrument& instrument, int row) {
    const RowDef* def = RowAt(row);
    if (!def)
        return QString();
    const Long value = def->get(instrument);
    if (def->kind == SettingRowKind::Choice)
        return ChoiceItemText(DetailChoiceList(row), value);
    return QString::number(value);
}

Integer CellToSettingValue(int row, const QString& text) {
    const RowDef* def = RowAt(row);
    if (!def)
        return -1;
    const QStringList items = DetailChoiceList(row).split(u'|');
    switch (def->mapping) {
    case Mapping::None: return -1;
    case Mapping::FirstOrOne: return SameItem(text, items.value(0)) ? 0 : 1;
    case Mapping::CalCheck:
        if (SameItem(text, items.value(0)))
            return 0;
        return SameItem(text, items.value(1)) ? 1 : 2;
    case Mapping::HcSelect:
        if (SameItem(text, QStringLiteral("Auto")))
            return 0;
        return SameItem(text, QStringLiteral("vol")) ? 2 : 1;
    case Mapping::O2Alarm: return SameItem(text, QStringLiteral("H-L")) ? 0 : 1;
    case Mapping::Numbers: {
        const std::optional<Long> number = DigitsValue(text.trimmed());
        if (!number)
            return 0;
        const auto position = items.indexOf(QString::number(*number));
        return position < 0 ? Integer{0} : static_cast<Integer>(position);
    }
    }
    return -1;
}

bool ValidateCellText(int row, const QString& text) {
    if (DetailRowKind(row) == SettingRowKind::Typed)
        return IsAllDigits(text);
    return true;
}

bool AcceptSettingEntry(int row, const QString& text) {
    if (text.trimmed().isEmpty())
        return false;
    const auto inRange = [&text](Long low, Long high) {
        const std::optional<Long> value = DigitsValue(text);
        return value && *value >= low && *value <= high;
    };
    if (row == CalLimitRow)
        return inRange(1, 365);
    if (row == LcdBackLightRow)
        return inRange(0, 60);
    return true;
}

DetailCellTexts DetailCellTextsOf(const clsInstrument& instrument) {
    DetailCellTexts texts;
    for (int row = 1; row < DetailSettingRows; ++row)
        texts[static_cast<std::size_t>(row)] = DetailCellText(instrument, row);
    return texts;
}

void ApplyDetailCellTexts(clsInstrument& work, const DetailCellTexts& filled, const DetailCellTexts& now) {
    for (const int row : ApplyOrder) {
        const auto index = static_cast<std::size_t>(row);
        if (now[index] == filled[index])
            continue;
        std::optional<Long> value;
        switch (DetailRowKind(row)) {
        case SettingRowKind::Choice: value = CellToSettingValue(row, now[index]); break;
        case SettingRowKind::Typed: value = DigitsValue(now[index]); break;
        case SettingRowKind::ReadOnly: break;  // never edited
        }
        if (value && *value != DetailSettingValue(work, row))
            SetDetailSettingValue(work, row, *value);
    }
}

}  // namespace mt52
