// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/options/OptionSet.h"

#include <QCheckBox>

namespace rivonel {

// A check box whose value is 0 unchecked, 1 checked or 2 grayed, the values
// the options file stores. Qt orders its states differently (1 is partial),
// so the mapping lives here and nowhere else. The user's clicks only ever
// give 0 or 1; code may also set 2. valueChanged fires for both.
class ValueCheckBox : public QCheckBox {
    Q_OBJECT
public:
    explicit ValueCheckBox(const QString &text, QWidget *parent = nullptr);

    int value() const;
    // Values outside 0 to 2 are ignored.
    void setValue(int value);

Q_SIGNALS:
    void valueChanged(int value);

protected:
    void nextCheckState() override;
};

} // namespace rivonel
