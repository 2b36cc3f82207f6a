// SPDX-License-Identifier: GPL-3.0-or-later
#include "window/PreviewWindow.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QPlainTextEdit>
#include <QVBoxLayout>

namespace rivonel {

PreviewWindow::PreviewWindow(QWidget *parent) : QDialog(parent), m_text(new QPlainTextEdit(this))
{
    m_text->setReadOnly(true);
    m_text->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::close);
    auto *layout = new QVBoxLayout(this);
    layout->addWidget(m_text);
    layout->addWidget(buttons);
    resize(640, 480);
}

void PreviewWindow::showText(const QString &title, const QString &text)
{
    setWindowTitle(title);
    m_text->setAccessibleName(title);
    m_text->setPlainText(text);
    show();
    raise();
    activateWindow();
}

} // namespace rivonel
