#include "views/gui/ControlValues.h"

#include <QCheckBox>
#include <QRadioButton>

namespace mt52 {

bool SetOptionValue(QRadioButton& option, bool selected) {
    if (option.isChecked() == selected)
        return false;
    if (!selected) {
        // Exclusive option buttons refuse to clear the selected one.
        option.setAutoExclusive(false);
        option.setChecked(false);
        option.setAutoExclusive(true);
        return false;
    }
    option.setChecked(true);
    return true;
}

bool SetBoxValue(QCheckBox& box, bool ticked) {
    if (box.isChecked() == ticked)
        return false;
    box.setChecked(ticked);
    return true;
}

}  // namespace mt52
