// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

// The tabs' controls, one row each and in the order Tab visits them: the
// control's type and name, where it stands (its area of the tab, the row and
// column of its cell there, how many columns it spans), its design-time
// caption, and the option it shows. A control that shares a cell stands
// beside the one before it, or, in the video lists, below its caption.
//
// A new option is a member of OptionSet, a row of the option table
// (core/options/OptionTable.cpp) and a row here.
// clang-format off
#define RIVONEL_PAGE_CONTROLS(X) \
    X(ValueCheckBox, chkFullScreen, VideoChecks, 0, 0, 1, "Tela Inteira", &OptionSet::fullScreen) \
    X(ValueCheckBox, chkShowFPS, VideoChecks, 1, 0, 1, "Mostrar FPS", &OptionSet::showFps) \
    X(ValueCheckBox, chkFrameSkip, VideoChecks, 2, 0, 1, "FrameSkip", &OptionSet::frameSkip) \
    X(ValueCheckBox, chkFrameSkipAuto, VideoChecks, 2, 0, 1, "Auto", &OptionSet::frameSkipAuto) \
    X(ValueCheckBox, chkFrameLimit, VideoChecks, 3, 0, 1, "Limitar Frames", &OptionSet::frameLimit) \
    X(ValueCheckBox, chkDithering, VideoChecks, 4, 0, 1, "Dithering", &OptionSet::dithering) \
    X(ValueCheckBox, chkEnableKeys, VideoChecks, 5, 0, 1, "Ligar Teclas", &OptionSet::enableKeys) \
    X(QLabel, lblRenderer, VideoLists, 0, 0, 1, "Renderização:", nullptr) \
    X(QComboBox, cboRend, VideoLists, 0, 0, 1, nullptr, &OptionSet::renderer) \
    X(QLabel, lblResolution, VideoLists, 0, 1, 1, "Resolução:", nullptr) \
    X(QComboBox, cboResolution, VideoLists, 0, 1, 1, nullptr, &OptionSet::resolution) \
    X(QLabel, lblColorDepth, VideoLists, 0, 2, 1, "Taxa de Cor:", nullptr) \
    X(QComboBox, cboColorDepth, VideoLists, 0, 2, 1, nullptr, &OptionSet::colorDepth) \
    X(QLabel, lblScanlines, VideoLists, 1, 0, 1, "Scanlines:", nullptr) \
    X(QComboBox, cboScanLines, VideoLists, 1, 0, 1, nullptr, &OptionSet::scanLines) \
    X(QLabel, lblTextureFiltering, VideoLists, 1, 1, 1, "Filtrar texturas:", nullptr) \
    X(QComboBox, cboTextureFiltering, VideoLists, 1, 1, 1, nullptr, &OptionSet::textureFiltering) \
    X(QLabel, lblTextureQuality, VideoLists, 1, 2, 1, "Qualidade:", nullptr) \
    X(QComboBox, cboTextureQuality, VideoLists, 1, 2, 1, nullptr, &OptionSet::textureQuality) \
    X(QLabel, lblTextureCaching, VideoLists, 2, 0, 1, "Cache", nullptr) \
    X(QComboBox, cboTextureCaching, VideoLists, 2, 0, 1, nullptr, &OptionSet::textureCaching) \
    X(QLabel, lblFrameRate, VideoLists, 2, 1, 1, "Taxa de Frames:", nullptr) \
    X(QLineEdit, txtFrameRate, VideoLists, 2, 1, 1, nullptr, &OptionSet::frameRate) \
    X(QLabel, lblTurnDisplay, VideoLists, 2, 2, 1, "Mudar tela:", nullptr) \
    X(QComboBox, cboTurnDisplay, VideoLists, 2, 2, 1, nullptr, &OptionSet::turnDisplay) \
    X(QLabel, lblBlending, VideoLists, 3, 0, 1, "Brilho:", nullptr) \
    X(QComboBox, cboBlending, VideoLists, 3, 0, 1, nullptr, &OptionSet::blending) \
    X(ValueCheckBox, chkSound, AudioLeft, 0, 0, 1, "Habilitar Som", &OptionSet::sound) \
    X(ValueCheckBox, chkSoundFilter, AudioLeft, 1, 0, 1, "Filtrar Som", &OptionSet::soundFilter) \
    X(QLabel, lblSoundFilterCutoff, AudioLeft, 1, 0, 1, "Corte:", nullptr) \
    X(QLineEdit, txtSoundFilterCutoff, AudioLeft, 1, 0, 1, nullptr, &OptionSet::soundFilterCutoff) \
    X(ValueCheckBox, chkStereoExciter, AudioLeft, 2, 0, 1, "Stereo", &OptionSet::stereoExciter) \
    X(ValueCheckBox, chkSurroundLite, AudioRight, 0, 0, 1, "Surround", &OptionSet::surroundLite) \
    X(ValueCheckBox, chkSurroundLiteMultiplier, AudioRight, 1, 0, 1, "Multiplicador de surround", &OptionSet::surroundLiteMultiplier) \
    X(QLineEdit, txtSurroundMultiplier, AudioRight, 1, 0, 1, nullptr, &OptionSet::surroundMultiplier) \
    X(QLabel, lblZincDir, General, 0, 0, 2, "Diretório do Zinc:", nullptr) \
    X(QLineEdit, txtZincDir, General, 1, 0, 1, nullptr, &OptionSet::zincDirectory) \
    X(QPushButton, cmdProcuraZinc, General, 1, 1, 1, "Procurar", nullptr) \
    X(QLabel, lblRomDir, General, 2, 0, 2, "Diretório de Roms", nullptr) \
    X(QLineEdit, txtRomDir, General, 3, 0, 1, nullptr, &OptionSet::romDirectory) \
    X(QPushButton, cmdProcuraRoms, General, 3, 1, 1, "Procurar", nullptr) \
    X(ValueCheckBox, chkUseLowGeometry, General, 4, 0, 2, "Usar baixa geometria", &OptionSet::useLowGeometry) \
    X(QLabel, lblPadStop, General, 5, 0, 2, "Parar um jogo pelo controle:", nullptr) \
    X(QComboBox, cboPadStop, General, 6, 0, 1, nullptr, &OptionSet::padStop)
// clang-format on
