// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/options/OptionTable.h"

#include <QStringList>

#include <array>
#include <bitset>
#include <functional>

class QComboBox;
class QLabel;
class QLineEdit;
class QListWidget;
class QWidget;

namespace rivonel {

class LanguageTextTable;
class ValueCheckBox;

// Ties each option control to its OptionSet member, and so to its entry in
// the option table. The member's type decides which controls fit it.
class OptionBinder {
public:
    void bind(QString OptionSet::*field, QLineEdit *box, QLabel *caption = nullptr);
    void bind(int OptionSet::*field, ValueCheckBox *box);
    void bind(ListChoice OptionSet::*field, QComboBox *list, QLabel *caption = nullptr);
    void bind(ListChoice OptionSet::*field, QListWidget *list);

    // Every bound control's value, and which of them the user may change now.
    OptionState state() const;
    // Sets the values that differ, without running any handler, and enables
    // or disables each control as the state says; only the entries `which`
    // names, when it is given.
    void show(const OptionState &state);
    void show(const OptionState &state, const std::bitset<optionCount> &which);
    // The items of a bound drop-down list.
    QStringList items(ListChoice OptionSet::*field) const;
    // Each entry's caption text, where its control has one.
    void setCaptions(const LanguageTextTable &texts);
    // The keys of the table's entries that no control is bound to: an option
    // the window would neither show nor save.
    QStringList unboundKeys() const;

    // An entry's control and the caption before it (none for a box, which is its own).
    QWidget *control(int index) const
    {
        return m_bindings[static_cast<std::size_t>(index)].control;
    }
    QLabel *caption(int index) const { return m_bindings[static_cast<std::size_t>(index)].label; }
    // Called with the entry's index when the user changes a control: a click, an
    // item chosen, a text typed. A change made from code does not call it.
    void onUserChange(std::function<void(int index)> changed) { m_changed = std::move(changed); }

private:
    struct Binding {
        QWidget *control = nullptr;
        std::function<void(OptionSet &)> read;
        std::function<void(const OptionSet &)> write; // quietly, only what differs
        std::function<void(const QString &)> setCaption;
        std::function<QStringList()> items;
        QLabel *label = nullptr;
    };
    Binding &slot(const OptionField &field);
    void tellChanges(const OptionField &field, QWidget *control);

    std::array<Binding, optionCount> m_bindings;
    std::function<void(int)> m_changed;
};

} // namespace rivonel
