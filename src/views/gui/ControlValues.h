#pragma once
// Setting an option button or a check box from the code as a user's click would: the caller runs
// the control's click handler when these say the value changed to what a click gives.
class QCheckBox;
class QRadioButton;

namespace mt52 {

// Selects or deselects an option button. True when it became selected, the case in which its
// click handler runs; deselecting (which a click never does) runs none. Both options of a pair
// may end deselected.
bool SetOptionValue(QRadioButton& option, bool selected);

// Ticks or unticks a check box. True when its value changed.
bool SetBoxValue(QCheckBox& box, bool ticked);

}  // namespace mt52
