#include "SimFaultOption.h"

#include <QStringList>
#include <limits>

namespace mt52::sim {
namespace {

struct KindName {
    const char* name;
    SimFault fault;
};

constexpr KindName Kinds[] = {
    {"silence", SimFault::NoAnswer}, {"garble", SimFault::Garble}, {"short", SimFault::Short},
    {"nak", SimFault::Nak},          {"pieces", SimFault::Pieces}, {"delay", SimFault::Delay},
    {"drop-line", SimFault::DropLine},
};

}  // namespace

std::variant<SimFaultOption, QString> ParseFaultOption(const QString& text) {
    // The code itself holds a comma but no colon, so the colon separates the parts.
    const QStringList parts = text.split(u':');
    if (parts.size() > 4)
        return QStringLiteral("a fault is KIND[:CODE[:COUNT[:SKIP]]]: \"%1\"").arg(text);
    SimFaultOption option;
    const auto kind = std::find_if(std::begin(Kinds), std::end(Kinds),
                                   [&](const KindName& k) { return parts[0] == QLatin1String(k.name); });
    if (kind == std::end(Kinds))
        return QStringLiteral("unknown fault \"%1\" (silence, garble, short, nak, pieces, delay, drop-line)")
            .arg(parts[0]);
    option.fault = kind->fault;
    if (parts.size() > 1)
        option.code = parts[1].toLatin1();
    if (!option.code.isEmpty() && (option.code.size() != 4 || option.code[2] != ','))
        return QStringLiteral("a reply code is two characters, a comma and the access letter (EF,R): \"%1\"")
            .arg(parts[1]);
    if (parts.size() > 2 && parts[2] == u"all") {
        option.count = std::numeric_limits<int>::max();
    } else if (parts.size() > 2) {
        bool ok = false;
        option.count = parts[2].toInt(&ok);
        if (!ok || option.count < 1)
            return QStringLiteral("the count of a fault is a number from 1 or \"all\": \"%1\"").arg(parts[2]);
    }
    if (parts.size() > 3) {
        bool ok = false;
        option.skip = parts[3].toInt(&ok);
        if (!ok || option.skip < 0)
            return QStringLiteral("the replies a fault skips are a number from 0: \"%1\"").arg(parts[3]);
    }
    return option;
}

}  // namespace mt52::sim
