// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/languages/LanguageSearch.h"

#include <QDir>
#include <QSet>

namespace rivonel {

namespace {

const QString languageExtension = QStringLiteral(".ini");

void search(const QString &folder, const QString &pattern,
            const std::function<void()> &betweenFiles, QSet<QString> &searched,
            QList<QStringList> &found)
{
    const QDir dir(folder);
    // A folder reached twice (through a link) would never end the search.
    const QString canonical = dir.canonicalPath();
    if (!dir.exists() || canonical.isEmpty() || searched.contains(canonical))
        return;
    searched.insert(canonical);

    // Listed by name, as Windows lists its folders, so the order is the same everywhere.
    const QDir::SortFlags byName = QDir::Name | QDir::IgnoreCase;
    const QDir::Filters everyFile = QDir::Files | QDir::Hidden | QDir::System;
    QStringList names;
    for (QString name : dir.entryList({pattern}, everyFile, byName)) {
        names << name.remove(languageExtension, Qt::CaseSensitive);
        betweenFiles();
    }
    found << names;

    const QDir::Filters everyFolder =
        QDir::Dirs | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System;
    for (const QString &sub : dir.entryList(everyFolder, byName)) {
        betweenFiles();
        search(dir.filePath(sub), pattern, betweenFiles, searched, found);
    }
}

} // namespace

QList<QStringList> ProcuraArquivos(const QString &folder, const QString &pattern,
                                   const std::function<void()> &betweenFiles)
{
    QSet<QString> searched;
    QList<QStringList> found;
    search(folder, pattern, betweenFiles, searched, found);
    return found;
}

LanguageChoice chooseLanguage(const QList<QStringList> &folders, const QString &savedName)
{
    LanguageChoice choice;
    QString name = savedName;
    int index = 0;
    for (const QStringList &folder : folders) {
        for (const QString &entry : folder) {
            if (entry == name)
                index = static_cast<int>(choice.names.size());
            choice.names << entry;
        }
        if (index < choice.names.size() && index != choice.selected) {
            choice.selected = index;
            name = choice.names.at(index);
        }
    }
    return choice;
}

} // namespace rivonel
