// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/emulator/RunReport.h"

#include "core/emulator/EmulatorInterface.h"
#include "core/system/ShownName.h"

namespace rivonel {

namespace {

// A log line decoded as it stands; the report shows its controls as symbols.
QString decodedLine(const QByteArray &line)
{
    // Windows' 8-bit decoding drops a final NUL: each goes back between the
    // pieces decoded around it.
    const QList<QByteArray> pieces = line.split('\0');
    QString text = QString::fromLocal8Bit(pieces.first());
    for (qsizetype i = 1; i < pieces.size(); ++i)
        text += QChar(0) + QString::fromLocal8Bit(pieces[i]);
    return text;
}

} // namespace

void RunLogWatch::feed(QByteArrayView added)
{
    m_output = m_output || !added.isEmpty();
    while (!added.isEmpty() && m_outcome == Outcome::None) {
        const qsizetype end = added.indexOf('\n');
        const QByteArrayView piece = end < 0 ? added : added.first(end);
        // Only the start of a line decides, so a line that never ends costs no memory.
        m_partial += piece.first(std::min(piece.size(), maxLineLength - m_partial.size()));
        if (end < 0)
            return;
        takeLine(std::exchange(m_partial, {}));
        added = added.sliced(end + 1);
    }
}

void RunLogWatch::finish()
{
    if (!m_partial.isEmpty() && m_outcome == Outcome::None)
        takeLine(std::exchange(m_partial, {}));
}

QString RunLogWatch::lastLine() const
{
    return m_lines.isEmpty() ? QString() : decodedLine(m_lines.last());
}

QStringList RunLogWatch::lastLines() const
{
    QStringList lines;
    for (const QByteArray &line : m_lines)
        lines << decodedLine(line);
    return lines;
}

qsizetype RunLogWatch::keptBytes() const
{
    qsizetype bytes = m_partial.capacity();
    for (const QByteArray &line : m_lines)
        bytes += line.capacity();
    return bytes;
}

void RunLogWatch::takeLine(QByteArray raw)
{
    if (raw.endsWith('\r'))
        raw.chop(1);
    // The two console lines are plain ASCII, the same in any 8-bit encoding.
    static const QByteArray finished = finishedLine.toLatin1();
    static const QByteArray missingRom = missingRomLine.toLatin1();
    if (raw.startsWith(finished))
        m_outcome = Outcome::Finished;
    else if (raw.startsWith(missingRom))
        m_outcome = Outcome::MissingRom;
    m_lines << std::move(raw);
    if (m_lines.size() > keptLines)
        m_lines.removeFirst();
}

QString missingRomFileName(const QString &line, const QString &romDirectory, const QString &romSet)
{
    const QString prefix = missingRomLine.toString() + QLatin1Char(' ') + romDirectory +
                           QLatin1Char('/') + romSet + romArchiveExtension.toString() +
                           QStringLiteral(" [ ");
    QString name = line;
    name.remove(prefix);
    name.remove(QStringLiteral(" ]"));
    return name;
}

namespace {

QString outcomeMessage(const RunLogWatch &watch, bool stopped, const LanguageTextTable &texts,
                       const QString &romDirectory, const QString &romSet)
{
    switch (watch.outcome()) {
    case RunLogWatch::Outcome::Finished:
        return texts.text(textKey::gameEnded);
    case RunLogWatch::Outcome::MissingRom:
        return texts.text(textKey::missingRomFile) + QStringLiteral(" '") +
               shownName(missingRomFileName(watch.lastLine(), romDirectory, romSet)) +
               QStringLiteral("' ") + texts.text(textKey::missingFrom) + romSet +
               romArchiveExtension.toString();
    case RunLogWatch::Outcome::None:
        break;
    }
    if (stopped)
        return texts.text(textKey::runStopped);
    if (!watch.output())
        return texts.text(textKey::noOutput);
    return texts.text(textKey::unrecognisedOutput).arg(shownName(watch.lastLine()));
}

int logProblemText(LogProblem problem)
{
    switch (problem) {
    case LogProblem::NotAFile:
        return textKey::logNotAFile;
    case LogProblem::Unreadable:
        return textKey::logUnreadable;
    case LogProblem::NotDeleted:
        return textKey::logNotDeleted;
    case LogProblem::None:
        break;
    }
    return 0;
}

} // namespace

QString runReport(const RunLogWatch &watch, const RunEnding &ending, const LanguageTextTable &texts,
                  const QString &romDirectory, const QString &romSet)
{
    QStringList report{outcomeMessage(watch, ending.stopped, texts, romDirectory, romSet)};
    // How a bad end came about, when the system told; a stop is no bad end.
    if (watch.outcome() == RunLogWatch::Outcome::None && !ending.stopped) {
        if (ending.script.how == ScriptEnd::How::Killed)
            report << texts.text(textKey::killedBy).arg(ending.script.cause);
        else if (ending.script.how == ScriptEnd::How::Exited && ending.script.code != 0)
            report << texts.text(textKey::exitCode).arg(ending.script.code);
    }
    // The user's own stop ended everything on purpose.
    if (ending.script.leftBehind && !ending.stopped)
        report << texts.text(textKey::leftBehindEnded);
    if (const int problem = logProblemText(ending.logProblem))
        report << texts.text(problem).arg(shownName(ending.logPath));
    if (watch.outcome() == RunLogWatch::Outcome::None && !watch.lastLines().isEmpty()) {
        report << texts.text(textKey::lastLines);
        for (const QString &line : watch.lastLines())
            report << shownName(line);
    }
    // Where to look, or what to hand on, when the game did not end as it should.
    if (watch.outcome() != RunLogWatch::Outcome::Finished && !ending.keptLog.isEmpty())
        report << texts.text(textKey::runOutputKept).arg(shownName(ending.keptLog));
    return report.join(QStringLiteral("\r\n"));
}

} // namespace rivonel
