// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/OptionBinder.h"

#include "core/languages/LanguageTextTable.h"
#include "window/ValueCheckBox.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QSignalBlocker>

namespace rivonel {

namespace {

// An item's value: what it keeps beside its shown text (a language's file
// name), else that text; empty for no item.
QString itemValue(const QComboBox *list, int index)
{
    if (index < 0)
        return {};
    const QVariant kept = list->itemData(index);
    return kept.isValid() ? kept.toString() : list->itemText(index);
}

std::function<void(const QString &)> captionOf(QLabel *label)
{
    if (!label)
        return {};
    return [label](const QString &text) { label->setText(text); };
}

int selectedRow(const QListWidget *list)
{
    const QList<QListWidgetItem *> selected = list->selectedItems();
    return selected.isEmpty() ? -1 : list->row(selected.first());
}

} // namespace

OptionBinder::Binding &OptionBinder::slot(const OptionField &field)
{
    const int index = optionIndex(field);
    if (index < 0)
        qFatal("a control is bound to an option the table does not have");
    return m_bindings[static_cast<std::size_t>(index)];
}

void OptionBinder::tellChanges(const OptionField &field, QWidget *control)
{
    const int index = optionIndex(field);
    const auto tell = [this, index] {
        if (m_changed)
            m_changed(index);
    };
    if (auto *box = qobject_cast<QLineEdit *>(control))
        QObject::connect(box, &QLineEdit::textEdited, box, tell);
    else if (auto *check = qobject_cast<ValueCheckBox *>(control))
        QObject::connect(check, &ValueCheckBox::clicked, check, tell);
    else if (auto *list = qobject_cast<QComboBox *>(control))
        QObject::connect(list, &QComboBox::activated, list, tell);
}

void OptionBinder::bind(QString OptionSet::*field, QLineEdit *box, QLabel *caption)
{
    tellChanges(field, box);
    slot(field) = {box,
                   [=](OptionSet &o) { o.*field = box->text(); },
                   [=](const OptionSet &o) {
                       if (box->text() != o.*field)
                           box->setText(o.*field);
                   },
                   captionOf(caption),
                   {}};
    slot(field).label = caption;
}

void OptionBinder::bind(int OptionSet::*field, ValueCheckBox *box)
{
    tellChanges(field, box);
    slot(field) = {box,
                   [=](OptionSet &o) { o.*field = box->value(); },
                   [=](const OptionSet &o) {
                       const QSignalBlocker quiet(box);
                       box->setValue(o.*field);
                   },
                   [box](const QString &text) { box->setText(text); },
                   {}};
}

void OptionBinder::bind(ListChoice OptionSet::*field, QComboBox *list, QLabel *caption)
{
    tellChanges(field, list);
    slot(field) = {list,
                   [=](OptionSet &o) {
                       o.*field = {list->currentIndex(), itemValue(list, list->currentIndex())};
                   },
                   [=](const OptionSet &o) {
                       const QSignalBlocker quiet(list);
                       list->setCurrentIndex((o.*field).position);
                   },
                   captionOf(caption),
                   [list] {
                       QStringList items;
                       for (int i = 0; i < list->count(); ++i)
                           items << itemValue(list, i);
                       return items;
                   }};
    slot(field).label = caption;
}

void OptionBinder::bind(ListChoice OptionSet::*field, QListWidget *list)
{
    slot(field) = {list,
                   [=](OptionSet &o) {
                       const int row = selectedRow(list);
                       o.*field = {row, row < 0 ? QString() : list->item(row)->text()};
                   },
                   [=](const OptionSet &o) {
                       const int row = (o.*field).position;
                       if (row == selectedRow(list))
                           return;
                       const QSignalBlocker quiet(list);
                       list->clearSelection();
                       list->setCurrentRow(row);
                       if (row >= 0)
                           list->item(row)->setSelected(true);
                   },
                   {},
                   {}};
}

OptionState OptionBinder::state() const
{
    OptionState state;
    for (std::size_t i = 0; i < m_bindings.size(); ++i) {
        const Binding &binding = m_bindings[i];
        if (!binding.control)
            continue; // an unbound entry keeps its OptionSet value (see unboundKeys)
        binding.read(state.values);
        state.disabled.set(i, !binding.control->isEnabledTo(binding.control->window()));
    }
    return state;
}

void OptionBinder::show(const OptionState &state)
{
    show(state, std::bitset<optionCount>().set());
}

void OptionBinder::show(const OptionState &state, const std::bitset<optionCount> &which)
{
    for (std::size_t i = 0; i < m_bindings.size(); ++i) {
        const Binding &binding = m_bindings[i];
        if (!binding.control || !which.test(i))
            continue;
        binding.write(state.values);
        const bool enabled = !state.disabled.test(i);
        if (binding.control->isEnabledTo(binding.control->window()) != enabled)
            binding.control->setEnabled(enabled);
    }
}

QStringList OptionBinder::items(ListChoice OptionSet::*field) const
{
    const int index = optionIndex(field);
    const Binding *binding = index < 0 ? nullptr : &m_bindings[static_cast<std::size_t>(index)];
    return binding && binding->items ? binding->items() : QStringList();
}

void OptionBinder::setCaptions(const LanguageTextTable &texts)
{
    for (std::size_t i = 0; i < m_bindings.size(); ++i) {
        const int caption = optionTable()[i].caption;
        if (caption > 0 && m_bindings[i].setCaption)
            m_bindings[i].setCaption(texts.text(caption));
    }
}

QStringList OptionBinder::unboundKeys() const
{
    QStringList keys;
    for (std::size_t i = 0; i < m_bindings.size(); ++i)
        if (!m_bindings[i].control)
            keys << optionTable()[i].key.toString();
    return keys;
}

} // namespace rivonel
