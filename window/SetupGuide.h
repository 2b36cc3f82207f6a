// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "core/languages/LanguageTextTable.h"
#include "core/options/FolderGuidance.h"
#include "core/options/OptionSet.h"
#include "core/system/PlatformConventions.h"
#include "window/LogBox.h"

#include <QObject>
#include <QTimer>

#include <functional>
#include <vector>

class QAction;
class QLineEdit;

namespace rivonel {

class GameList;
class frmPrincipalUi;

// What a new user needs before a game can run, where they look: a notice
// above the list says which folder is missing and how to set it, with a
// button that opens the field; the field carries a mark; the Renderer list
// marks the renderers whose plug-in the Zinc folder lacks. A warning before
// a Play stays in the notice until another game is chosen.
class SetupGuide : public QObject {
    Q_OBJECT
public:
    using CurrentOptions = std::function<OptionSet()>;
    SetupGuide(const frmPrincipalUi &ui, PlatformConventions platform,
               const LanguageTextTable &texts, CurrentOptions options, QObject *parent = nullptr);

    // Looks at the folders now; typing in them looks once it pauses.
    void refresh();
    // What is still to set; nothing when both folders can serve.
    const std::vector<FolderStep> &steps() const { return m_steps; }
    // A warning to keep in sight; an empty one takes it away.
    void keepWarning(const Wording &warning);
    // Why the game cannot run, said before anything is written: a folder
    // still to set, or an archive the list already knows is not there.
    // Nothing when it may run.
    Wording whyNotPlayable(const OptionSet &options, const QString &romSet,
                           const GameList &games) const;
    // Until the user picks a renderer, a new Zinc folder picks one it holds.
    void followRenderer(bool follow) { m_followRenderer = follow; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void connectSignals();
    void fitNotice();
    void showNotice();
    void markField(QLineEdit *field, QAction *&mark, QString OptionSet::*folder);
    void markRenderers(const QString &zincDirectory);
    void openStep();

    const frmPrincipalUi &m_ui;
    const PlatformConventions m_platform;
    const LanguageTextTable &m_texts;
    const CurrentOptions m_options;
    QTimer m_delay;
    std::vector<FolderStep> m_steps;
    Wording m_warning;
    QAction *m_zincMark = nullptr;
    QAction *m_romMark = nullptr;
    bool m_followRenderer = false;
};

} // namespace rivonel
