#include "common/CommPortSelection.h"

#include "common/ModuleState.h"

namespace mt52 {

void InitCommSettings() { State().LinkSettings = QStringLiteral("921600,n,8,1"); }

void SelectCommPort(const QString& filter, const PortChooser& choose, const ComPortLister& lister) {
    const std::vector<ComPortRecord> ports = lister.List(filter);
    ModuleState& s = State();
    if (ports.empty()) {
        s.CommPortNumber = 0;
        return;
    }
    s.CommPortNumber = static_cast<Integer>(ports.front().portNumber);
    if (ports.size() == 1 || !choose)
        return;

    QStringList entries;
    for (const ComPortRecord& p : ports)
        entries << p.devicePath;
    s.CommPortChoice = 0;
    choose(entries);
    const int choice = s.CommPortChoice;
    if (choice >= 1 && choice <= static_cast<int>(ports.size()))
        s.CommPortNumber = static_cast<Integer>(ports[static_cast<std::size_t>(choice - 1)].portNumber);
}

}  // namespace mt52
