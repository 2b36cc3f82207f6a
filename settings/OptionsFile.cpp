#include "app/frmPrincipal.h"

namespace rivonel {

// The options file is not read or written yet: start-up sees no saved
// values, and shutdown keeps nothing.
QString frmPrincipal::readStartupSetting(const QString &key) const
{
    Q_UNUSED(key);
    return {};
}

void frmPrincipal::CarregaPadrao()
{
}

void frmPrincipal::GravaPadrao()
{
}

} // namespace rivonel
