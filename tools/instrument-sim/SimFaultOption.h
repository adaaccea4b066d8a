#pragma once
// The fault options of the simulator program: "KIND[:CODE[:COUNT[:SKIP]]]".
//
//   KIND   silence | garble | short | nak | pieces | delay | drop-line
//   CODE   the reply code the fault hits ("EF,R"); empty or absent: every reply
//   COUNT  how many replies it hits, or "all" (default 1)
//   SKIP   how many of those replies go out unharmed first (default 0)
//
// Examples: "silence::all" (the instrument never answers), "garble:IN,R" (the serial
// number reply arrives damaged once), "silence:EF,R:1:5" (the sixth dump block is lost),
// "drop-line:EF,R:1:3" (the line drops when the fourth dump block is due).
#include "SimProtocol.h"

#include <QString>
#include <variant>

namespace mt52::sim {

struct SimFaultOption {
    SimFault fault = SimFault::NoAnswer;
    QByteArray code;
    int count = 1;
    int skip = 0;

    void InjectInto(SimProtocol& protocol) const { protocol.InjectFault(fault, count, code, 3, skip); }
};

// The option, or the reason it is not one.
std::variant<SimFaultOption, QString> ParseFaultOption(const QString& text);

}  // namespace mt52::sim
