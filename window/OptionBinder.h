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

private:
    struct Binding {
        QWidget *control = nullptr;
        std::function<void(OptionSet &)> read;
        std::function<void(const OptionSet &)> write; // quietly, only what differs
        std::function<void(const QString &)> setCaption;
        std::function<QStringList()> items;
    };
    Binding &slot(const OptionField &field);

    std::array<Binding, optionCount> m_bindings;
};

} // namespace rivonel
