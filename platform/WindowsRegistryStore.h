// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/settings/RegistryStore.h"

namespace rivonel {

// The registry itself, through the plain Windows calls in win32/; names and
// text values in the system's 8-bit code page.
class WindowsRegistryStore final : public RegistryStore {
public:
    qint32 openKey(quint32 root, const QString &keyPath) override;
    qint32 createKey(quint32 root, const QString &keyPath) override;
    qint32 queryValue(quint32 root, const QString &keyPath, const QString &name,
                      QByteArray *data) override;
    qint32 setValue(quint32 root, const QString &keyPath, const QString &name, quint32 type,
                    const QByteArray &data) override;
};

} // namespace rivonel
