#include "common/GasTable.h"

#include "common/ModuleState.h"
#include "platform/RuntimeError.h"

namespace mt52 {

GasDefinition DefaultGasType(int choice) {
    if (choice != 0 && choice != 1)
        Raise(ErrSubscript, QStringLiteral("no built-in gas type %1").arg(choice));
    GasDefinition gas;
    gas.Enabled = true;
    gas.Name = choice == 0 ? QStringLiteral("CH4") : QStringLiteral("HC ");
    gas.Locked = false;
    gas.Unit = QStringLiteral("%LEL");
    gas.FullScale = 100;
    gas.Digit = 1;
    gas.Point = 0;
    gas.Warning = 10;
    gas.Alarm = 50;
    gas.STEL = -1;
    gas.TWA = -1;
    gas.AutoCal = 10;
    return gas;
}

void FillDefaultGasTable() {
    GasTableEntry(0, 0) = DefaultGasType(0);
    GasTableEntry(0, 1) = DefaultGasType(1);
}

GasDefinition& GasTableEntry(int slot, int choice) {
    if (slot < 0 || slot >= GasTableSlots || choice < 0 || choice >= GasTableChoices)
        Raise(ErrSubscript, QStringLiteral("gas table entry (%1, %2)").arg(slot).arg(choice));
    return State().GasTable[static_cast<std::size_t>(slot)][static_cast<std::size_t>(choice)];
}

}  // namespace mt52
