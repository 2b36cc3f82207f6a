#include "app/frmPrincipal.h"

namespace rivonel {

// The rules between dependent options are not in place yet: every option
// stays enabled whatever its governing box says.
void frmPrincipal::chkSound_Click()
{
}

void frmPrincipal::chkSoundFilter_Click()
{
}

void frmPrincipal::chkSurroundLite_Click()
{
}

void frmPrincipal::chkFrameSkipAuto_Click()
{
}

} // namespace rivonel
