#include "app/frmPrincipal.h"

#include "app/LogBox.h"
#include "app/ValueCheckBox.h"
#include "platform/Desktop.h"
#include "settings/modRegistry.h"
#include "settings/RegistryStore.h"

#include <QCloseEvent>
#include <QComboBox>
#include <QKeyEvent>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>

namespace rivonel {

frmPrincipal::frmPrincipal(Desktop &desktop, const QString &programDirectory, QWidget *parent)
    : QWidget(parent), m_desktop(desktop), m_programDirectory(programDirectory),
      m_platform(desktop.conventions()), m_registry(makeSystemRegistryStore()),
      m_settings(std::make_unique<modRegistry>(*m_registry))
{
    setObjectName(QStringLiteral("frmPrincipal"));
    buildControls();
    connectSignals();

    // Watch every control for Enter, so the window behaves as if cmdPlay
    // were a dialog's default button.
    installEventFilter(this);
    for (QWidget *child : findChildren<QWidget *>())
        child->installEventFilter(this);
}

frmPrincipal::~frmPrincipal() = default;

void frmPrincipal::connectSignals()
{
    connect(cmdPlay, &QPushButton::clicked, this, &frmPrincipal::cmdPlay_Click);
    connect(Timer1, &QTimer::timeout, this, &frmPrincipal::Timer1_Timer);
    connect(cboLang, &QComboBox::currentIndexChanged, this, &frmPrincipal::cboLang_Click);
    connect(lstGames, &QListWidget::itemSelectionChanged, this, &frmPrincipal::lstGames_Click);
    connect(lstGames, &QListWidget::itemDoubleClicked, this, &frmPrincipal::lstGames_DblClick);
    connect(cmdProcuraZinc, &QPushButton::clicked, this, &frmPrincipal::cmdProcuraZinc_Click);
    connect(cmdProcuraRoms, &QPushButton::clicked, this, &frmPrincipal::cmdProcuraRoms_Click);
    // Fires only for typed text, which this list does not take.
    connect(cboLang, &QComboBox::editTextChanged, this, &frmPrincipal::cboLang_Change);
    connect(chkSound, &ValueCheckBox::valueChanged, this, &frmPrincipal::chkSound_Click);
    connect(chkSoundFilter, &ValueCheckBox::valueChanged, this,
            &frmPrincipal::chkSoundFilter_Click);
    connect(chkSurroundLite, &ValueCheckBox::valueChanged, this,
            &frmPrincipal::chkSurroundLite_Click);
    connect(chkFrameSkipAuto, &ValueCheckBox::valueChanged, this,
            &frmPrincipal::chkFrameSkipAuto_Click);
}

bool frmPrincipal::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == lblSite && event->type() == QEvent::MouseButtonRelease) {
        lblSite_Click();
        return true;
    }
    if (event->type() != QEvent::KeyPress)
        return QWidget::eventFilter(watched, event);

    const auto *key = static_cast<QKeyEvent *>(event);
    const bool enter = key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter;
    const bool plain = (key->modifiers() & ~Qt::KeypadModifier) == Qt::NoModifier;
    auto *widget = qobject_cast<QWidget *>(watched);
    // Popups (an open drop-down list) are windows of their own and keep Enter.
    const bool ours = widget && widget->window() == this;
    // Another command button with the focus is pressed by Enter itself.
    const bool otherButton = qobject_cast<QPushButton *>(widget) && widget != cmdPlay;
    if (enter && plain && ours && !otherButton) {
        pressDefaultButton();
        return true;
    }
    if (watched == txtlog && txtlog_KeyPress(key))
        return true;
    return QWidget::eventFilter(watched, event);
}

void frmPrincipal::pressDefaultButton()
{
    if (cmdPlay->isEnabled())
        cmdPlay->click();
}

void frmPrincipal::closeEvent(QCloseEvent *event)
{
    Form_Unload();
    event->accept();
}

QString frmPrincipal::programFile(const QString &name) const
{
    return m_platform.join(m_programDirectory, name);
}

} // namespace rivonel
