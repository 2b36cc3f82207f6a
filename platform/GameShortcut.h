// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QString>

namespace rivonel {

// Whether this system gets a shortcut that starts one game.
bool gameShortcutsSupported();

// The launcher for one game: "<program> --play <game>" with the game's title,
// where the desktop's menus find it: a desktop entry in
// $XDG_DATA_HOME/applications, a shortcut (.lnk) in the Start menu's programs
// on Windows. game is what --play takes for it. Answers the file's path, empty when it could not
// be written.
QString writeGameShortcut(const QString &program, const QString &title, const QString &game);

// The shortcut's file for a game, written or not.
QString gameShortcutPath(const QString &game);

// The desktop entry's text.
QByteArray desktopEntryText(const QString &program, const QString &title, const QString &game);

} // namespace rivonel
