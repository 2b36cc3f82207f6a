// SPDX-License-Identifier: GPL-3.0-or-later
// What a flood of lines costs the log box, against a plain QPlainTextEdit
// handed the same lines one at a time (appendPlainText, no bound) in the same
// run: 1,000, 10,000 and 20,000 lines with the box shown, then a switch of
// language over what the box kept. Past the box's bound, dropping the oldest
// line comes with each new one; the cost of a line stays the same however
// many came before it.
//
//   build/bench/logbox_bench        (QT_QPA_PLATFORM=offscreen without a display)

#include "window/LogBox.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPlainTextEdit>

#include <cstdio>

using namespace rivonel;
using namespace Qt::StringLiterals;

namespace {

QString line(const LanguageTextTable &texts, int i)
{
    return u"\r\n"_s + texts.text(textKey::playAskedUnknownGame).arg(u"pong%1"_s.arg(i));
}

// The box's own clear(): the log box's hides the widget's.
template <typename Box, typename Append> double msFor(Box &box, int lines, Append append)
{
    box.clear();
    box.show();
    QCoreApplication::processEvents();
    QElapsedTimer clock;
    clock.start();
    for (int i = 0; i < lines; ++i)
        append(i);
    QCoreApplication::processEvents();
    return double(clock.nsecsElapsed()) / 1e6;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const LanguageTextTable texts;
    QPlainTextEdit plain;
    LogBox box;
    plain.resize(600, 200);
    box.resize(600, 200);
    for (const int lines : {1000, 10000, 20000}) {
        const double baseline =
            msFor(plain, lines, [&](int i) { plain.appendPlainText(line(texts, i).mid(2)); });
        const double logBox = msFor(box, lines, [&](int i) {
            box.append([i](const LanguageTextTable &t) { return line(t, i); }, texts);
        });
        std::printf("%6d lines: plain %7.1f ms, log box %7.1f ms (%5.1f us a line), ratio %.2f, "
                    "%d lines kept\n",
                    lines, baseline, logBox, 1e3 * logBox / lines, logBox / baseline,
                    box.document()->blockCount());
    }
    QElapsedTimer clock;
    clock.start();
    LanguageTextTable other;
    other.set(textKey::playAskedUnknownGame, u"%1?"_s);
    box.retranslate(other);
    QCoreApplication::processEvents();
    std::printf("language switch over what is kept: %.1f ms\n", double(clock.nsecsElapsed()) / 1e6);
    return 0;
}
