// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/ValueCheckBox.h"

namespace rivonel {

namespace {
int toValue(Qt::CheckState state)
{
    switch (state) {
    case Qt::Checked:
        return check::checked;
    case Qt::PartiallyChecked:
        return check::grayed;
    case Qt::Unchecked:
        break;
    }
    return check::unchecked;
}
} // namespace

ValueCheckBox::ValueCheckBox(const QString &text, QWidget *parent) : QCheckBox(text, parent)
{
    connect(this, &QCheckBox::stateChanged, this, [this](int state) {
        Q_EMIT valueChanged(toValue(static_cast<Qt::CheckState>(state)));
    });
}

int ValueCheckBox::value() const
{
    return toValue(checkState());
}

void ValueCheckBox::setValue(int value)
{
    switch (value) {
    case check::unchecked:
        setCheckState(Qt::Unchecked);
        break;
    case check::checked:
        setCheckState(Qt::Checked);
        break;
    case check::grayed:
        setCheckState(Qt::PartiallyChecked);
        break;
    default:
        break;
    }
}

void ValueCheckBox::nextCheckState()
{
    // A click never produces the grayed state: grayed and unchecked go to checked.
    setCheckState(checkState() == Qt::Checked ? Qt::Unchecked : Qt::Checked);
}

} // namespace rivonel
