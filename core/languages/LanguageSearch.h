// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/system/PlatformConventions.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <functional>

namespace rivonel {

// The language names (file names without ".ini") a search finds, folder by
// folder: a folder's matching files by name, then its subfolders depth first.
// A folder reached twice (through a link) is searched once. betweenFiles runs
// after each file and before each subfolder, so the window stays responsive.
QList<QStringList> ProcuraArquivos(const QString &folder, const QString &pattern,
                                   const std::function<void()> &betweenFiles);

struct LanguageChoice {
    QStringList names; // the list's entries, in search order
    int selected = -1; // the entry whose language ends up applied, -1 for none
};

// After each folder's names join the list, the entry of the saved language
// (the last one of that name) is selected, or the first entry; selecting
// applies that entry, whose name is then the one later folders must match.
LanguageChoice chooseLanguage(const QList<QStringList> &folders, const QString &savedName);

} // namespace rivonel
