#include "window/ValueCheckBox.h"

namespace rivonel {

namespace {
int toValue(Qt::CheckState state)
{
    switch (state) {
    case Qt::Checked:
        return ValueCheckBox::Checked;
    case Qt::PartiallyChecked:
        return ValueCheckBox::Grayed;
    case Qt::Unchecked:
        break;
    }
    return ValueCheckBox::Unchecked;
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
    case Unchecked:
        setCheckState(Qt::Unchecked);
        break;
    case Checked:
        setCheckState(Qt::Checked);
        break;
    case Grayed:
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
