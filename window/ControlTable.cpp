// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/ControlTable.h"

#include "core/languages/LanguageTextTable.h"
#include "window/frmPrincipalUi.h"
#include "window/OptionBinder.h"
#include "window/ValueCheckBox.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

#include <type_traits>

namespace rivonel {

namespace {

template <auto Slot> QWidget *make(frmPrincipalUi &ui, QWidget *page)
{
    using Widget = std::remove_pointer_t<std::remove_reference_t<decltype(ui.*Slot)>>;
    if constexpr (std::is_constructible_v<Widget, QString, QWidget *>)
        ui.*Slot = new Widget(QString(), page);
    else
        ui.*Slot = new Widget(page);
    return ui.*Slot;
}

template <auto Slot> QWidget *widgetOf(const frmPrincipalUi &ui)
{
    return ui.*Slot;
}

template <auto Slot, auto Option>
void bindTo([[maybe_unused]] OptionBinder &binder, [[maybe_unused]] const frmPrincipalUi &ui,
            [[maybe_unused]] QLabel *caption)
{
    if constexpr (std::is_null_pointer_v<decltype(Option)>)
        return;
    else if constexpr (std::is_same_v<std::remove_cvref_t<decltype(ui.*Slot)>, ValueCheckBox *>)
        binder.bind(Option, ui.*Slot);
    else
        binder.bind(Option, ui.*Slot, caption);
}

// What a few controls take besides their row: a caption and a name from the
// language, a width in digits.
struct Extras {
    int captionKey = 0;
    int nameKey = 0;
    int digits = 0;
};
template <auto Slot> constexpr Extras extrasOf{};
template <> constexpr Extras extrasOf<&frmPrincipalUi::txtSoundFilterCutoff>{0, 0, 5};
template <> constexpr Extras extrasOf<&frmPrincipalUi::txtSurroundMultiplier>{0, 0, 3};
template <>
constexpr Extras extrasOf<&frmPrincipalUi::cmdProcuraZinc>{textKey::browseCaption,
                                                           textKey::browseZincName};
template <>
constexpr Extras extrasOf<&frmPrincipalUi::cmdProcuraRoms>{textKey::browseCaption,
                                                           textKey::browseRomName};

template <auto Slot, auto Option>
constexpr ControlRow control(Area area, int row, int column, int span, const char *name,
                             const char *caption)
{
    constexpr Extras extras = extrasOf<Slot>;
    constexpr auto bind =
        std::is_null_pointer_v<decltype(Option)> ? nullptr : &bindTo<Slot, Option>;
    return {
        &make<Slot>,       &widgetOf<Slot>, bind,         {area, row, column, span}, name, caption,
        extras.captionKey, extras.nameKey,  extras.digits};
}

#define RIVONEL_CONTROL_ROW(Type, name, area, row, column, span, caption, option)                  \
    control<&frmPrincipalUi::name, option>(Area::area, row, column, span, #name, caption),
const ControlRow rows[] = {RIVONEL_PAGE_CONTROLS(RIVONEL_CONTROL_ROW)};
#undef RIVONEL_CONTROL_ROW

} // namespace

std::span<const ControlRow> pageControls()
{
    return rows;
}

} // namespace rivonel
