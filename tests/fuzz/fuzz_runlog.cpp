// SPDX-License-Identifier: GPL-3.0-or-later
// The emulator's log, read as it grows: fed in pieces of any sizes it tells
// the same as fed whole, and the watch holds a bounded amount however long
// the log or its lines.
#include "core/emulator/RunReport.h"
#include "FuzzInput.h"

#include <algorithm>

using namespace rivonel;
using namespace rivonel::fuzz;

namespace {

// Far more than the few lines kept can take, whatever the log.
constexpr qsizetype keptLimit = 64 * 1024;

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    const QByteArrayView log(data, qsizetype(size));
    FuzzInput input(data, size);
    const bool ended = input.flag();

    RunLogWatch whole;
    whole.feed(log);
    FUZZ_CHECK(whole.keptBytes() < keptLimit);

    RunLogWatch pieces;
    for (QByteArrayView rest = log; !rest.isEmpty();) {
        const qsizetype piece =
            std::min<qsizetype>(rest.size(), 1 + input.number(input.flag() ? 15 : 9000));
        pieces.feed(rest.first(piece));
        FUZZ_CHECK(pieces.keptBytes() < keptLimit);
        rest = rest.sliced(piece);
    }
    if (ended) {
        whole.finish();
        pieces.finish();
    }

    FUZZ_CHECK(pieces.outcome() == whole.outcome());
    FUZZ_CHECK(pieces.output() == whole.output());
    FUZZ_CHECK(pieces.lastLine() == whole.lastLine());
    FUZZ_CHECK(pieces.lastLines() == whole.lastLines());
    FUZZ_CHECK(pieces.lastLines().size() <= RunLogWatch::keptLines);

    const LanguageTextTable texts;
    const RunEnding ending{
        input.flag(),
        LogProblem(input.number(3)),
        QStringLiteral("/s/log.txt"),
        {ScriptEnd::How(input.number(2)), input.number(255), QStringLiteral("c")},
        input.flag() ? QStringLiteral("/s/last-run.log") : QString()};
    FUZZ_CHECK(runReport(pieces, ending, texts, QStringLiteral("/r"), QStringLiteral("x")) ==
               runReport(whole, ending, texts, QStringLiteral("/r"), QStringLiteral("x")));
    return 0;
}
