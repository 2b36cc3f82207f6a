// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include "window/PageControls.h"

#include <QList>

class QAction;
class QComboBox;
class QFrame;
class QLabel;
class QLineEdit;
class QListWidget;
class QPushButton;
class QScrollArea;
class QSplitter;
class QTabWidget;
class QTimer;
class QToolButton;
class QWidget;

namespace rivonel {

class ImageList;
class LanguageTextTable;
class LinkLabel;
class LogBox;
class ValueCheckBox;

// The window's controls under their names, built and placed from one row a
// control, as a designer's form would be; the form inherits them. The
// controls are public: tests drive them directly.
class frmPrincipalUi {
public:
    enum Tab { videoTab, audioTab, generalTab };

    // Creates every control on form, places it and sets the Tab order.
    explicit frmPrincipalUi(QWidget *form) { setupUi(form); }
    void setupUi(QWidget *form);
    // The names a screen reader announces where no caption names a control,
    // and the captions no option entry gives.
    void nameControls(const LanguageTextTable &texts) const;

    // Above the list: what is still to set up, and the search with its filter.
    QFrame *fraNotice = nullptr;
    QLabel *lblNotice = nullptr;
    QPushButton *cmdNotice = nullptr; // opens the field to set
    QLineEdit *txtSearch = nullptr;
    QLabel *lblFilter = nullptr;
    QComboBox *cboFilter = nullptr; // all, available, favourites, played recently
    QListWidget *lstGames = nullptr;
    QLabel *Picture1 = nullptr;   // grows with the window, keeping its shape
    QLabel *lblDetails = nullptr; // the selected game, under the picture
    QScrollArea *scrDetails = nullptr;
    ImageList *ImageList1 = nullptr;
    QPushButton *cmdPlay = nullptr;
    // Beside Play: the options of all games or of the selected game, back to
    // those of all games, and what Play would write.
    QLabel *lblScope = nullptr;
    QComboBox *cboScope = nullptr;
    QPushButton *cmdOwnReset = nullptr;
    QPushButton *cmdPreview = nullptr;
    QTabWidget *abas = nullptr;
    QLabel *lblLanguage = nullptr;
    QComboBox *cboLang = nullptr;
    QToolButton *cmdHelp = nullptr;      // opens the About box, as F1 does
    QToolButton *cmdBigScreen = nullptr; // the big-screen view, as F11 does
    LinkLabel *lblSite = nullptr;
    LogBox *txtlog = nullptr;
    QSplitter *splLog = nullptr; // between the rest and the log box
    QTimer *Timer1 = nullptr;
    // The list's context menu: Play, and the selected game's archive report.
    QAction *mnuPlay = nullptr;
    QAction *mnuCheckArchive = nullptr;

    // The tabs' controls.
#define RIVONEL_DECLARE_CONTROL(Type, name, ...) Type *name = nullptr;
    RIVONEL_PAGE_CONTROLS(RIVONEL_DECLARE_CONTROL)
#undef RIVONEL_DECLARE_CONTROL

private:
    void buildFrame(QWidget *form);
    void buildFinding(QWidget *form);
    void buildPages();
    void layOutFrame(QWidget *form);
    void setFocusOrder(QWidget *form);

    // The tabs' controls in the order Tab visits them, page by page.
    QList<QWidget *> m_pageOrder;
};

} // namespace rivonel
