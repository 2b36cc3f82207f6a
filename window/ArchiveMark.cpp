// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/ArchiveMark.h"

#include <QListWidget>
#include <QStyle>

#include <cmath>

namespace rivonel {

namespace {

constexpr double readableContrast = 4.5;

double luminance(const QColor &colour)
{
    const auto linear = [](float channel) {
        return channel <= 0.03928f ? channel / 12.92 : std::pow((channel + 0.055) / 1.055, 2.4);
    };
    const QColor rgb = colour.toRgb();
    return 0.2126 * linear(rgb.redF()) + 0.7152 * linear(rgb.greenF()) +
           0.0722 * linear(rgb.blueF());
}

QColor mixed(const QColor &from, const QColor &to, double share)
{
    const auto mix = [share](float a, float b) { return float(a + (b - a) * share); };
    return QColor::fromRgbF(mix(from.redF(), to.redF()), mix(from.greenF(), to.greenF()),
                            mix(from.blueF(), to.blueF()));
}

// The palette's dimmed text, moved towards the normal text until it reads.
QColor readableDimmedText(const QPalette &palette)
{
    const QColor base = palette.color(QPalette::Active, QPalette::Base);
    const QColor text = palette.color(QPalette::Active, QPalette::Text);
    const QColor dimmed = palette.color(QPalette::Disabled, QPalette::Text).toRgb();
    for (int step = 0; step < 20; ++step) {
        const QColor candidate = mixed(dimmed, text, step / 20.0);
        if (contrastRatio(candidate, base) >= readableContrast)
            return candidate;
    }
    return text;
}

} // namespace

double contrastRatio(const QColor &a, const QColor &b)
{
    const double la = luminance(a), lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

void markMissingArchive(const QListWidget &list, QListWidgetItem &item, const QString &why)
{
    item.setForeground(QBrush(readableDimmedText(list.palette())));
    item.setIcon(list.style()->standardIcon(QStyle::SP_MessageBoxWarning, nullptr, &list));
    item.setToolTip(why);
    item.setData(Qt::AccessibleDescriptionRole, why);
}

} // namespace rivonel
