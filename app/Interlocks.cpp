#include "app/frmPrincipal.h"
#include "app/ValueCheckBox.h"

#include <QLineEdit>

namespace rivonel {

// Each rule looks only at its own box. Values set here run the target's own
// rule when they change, so the rules cascade.

void frmPrincipal::chkSound_Click()
{
    if (chkSound->value() == ValueCheckBox::Unchecked) {
        for (ValueCheckBox *box :
             {chkSoundFilter, chkStereoExciter, chkSurroundLite, chkSurroundLiteMultiplier}) {
            box->setValue(ValueCheckBox::Unchecked);
            box->setEnabled(false);
        }
    } else {
        for (ValueCheckBox *box :
             {chkSoundFilter, chkStereoExciter, chkSurroundLite, chkSurroundLiteMultiplier})
            box->setEnabled(true);
    }
}

void frmPrincipal::chkSoundFilter_Click()
{
    txtSoundFilterCutoff->setEnabled(chkSoundFilter->value() != ValueCheckBox::Unchecked);
}

void frmPrincipal::chkSurroundLite_Click()
{
    if (chkSurroundLite->value() == ValueCheckBox::Unchecked) {
        chkSurroundLiteMultiplier->setValue(ValueCheckBox::Unchecked);
        chkSurroundLiteMultiplier->setEnabled(false);
        txtSurroundMultiplier->setEnabled(false);
    } else {
        chkSurroundLiteMultiplier->setValue(ValueCheckBox::Checked);
        txtSurroundMultiplier->setEnabled(true);
        chkSurroundLiteMultiplier->setEnabled(true);
    }
}

void frmPrincipal::chkFrameSkipAuto_Click()
{
    // This rule alone tests for checked; every other value counts as off.
    txtFrameRate->setEnabled(chkFrameSkipAuto->value() != ValueCheckBox::Checked);
}

} // namespace rivonel
