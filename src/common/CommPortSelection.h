#pragma once
// Finding the port of the instrument's USB-serial adapter at start-up.
#include "platform/ComPortLister.h"

#include <QString>
#include <QStringList>
#include <functional>

namespace mt52 {

// The hardware id of the instrument's USB-serial adapter.
inline constexpr char AdapterHardwareId[] = "VID_10C4&PID_EA60";

// Shows the port choice: the entries (device paths) in the order offered, the first one
// selected; returns when the choice is closed. Confirming entry n (from 1) sets
// State().CommPortChoice to n; closing without confirming leaves it at 0.
using PortChooser = std::function<void(const QStringList& entries)>;

// State().LinkSettings := "921600,n,8,1".
void InitCommSettings();

// Sets State().CommPortNumber to the adapter's port: 0 when no port matches the filter, the
// port itself when one does, and the user's choice when several do (the first port when the
// choice is closed without confirming, or when there is no chooser). The choice is reset
// before each showing, so a choice made earlier never picks a port of a later list.
void SelectCommPort(const QString& filter, const PortChooser& choose = {},
                    const ComPortLister& lister = ComPortLister());

}  // namespace mt52
