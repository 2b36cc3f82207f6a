// SPDX-License-Identifier: GPL-3.0-or-later
#include "core/run/RunLogKeeper.h"

namespace rivonel {

void RunLogKeeper::feed(QByteArrayView bytes)
{
    m_total += bytes.size();
    if (m_head.size() < headLimit && m_dropped == 0 && m_tail.isEmpty()) {
        const qsizetype taken = std::min(bytes.size(), headLimit - m_head.size());
        m_head.append(bytes.first(taken));
        bytes = bytes.sliced(taken);
    }
    m_tail.append(bytes);
    // Trimmed now and then, not at every feed: the cost stays in proportion.
    if (m_tail.size() > 2 * tailLimit) {
        const qsizetype cut = m_tail.size() - tailLimit;
        m_dropped += cut;
        m_tail.remove(0, cut);
    }
}

void RunLogKeeper::skip(qint64 count)
{
    if (count <= 0)
        return;
    m_total += count;
    m_dropped += count + m_tail.size();
    m_tail.clear();
}

QByteArray RunLogKeeper::bytes() const
{
    QByteArrayView tail = m_tail;
    qint64 dropped = m_dropped;
    if (tail.size() > tailLimit) {
        dropped += tail.size() - tailLimit;
        tail = tail.last(tailLimit);
    }
    if (dropped == 0)
        return m_head + m_tail;
    // Whole lines on both sides of the gap (a first line longer than the
    // head is no line to keep).
    QByteArrayView head = m_head;
    const qsizetype end = head.lastIndexOf('\n');
    dropped += head.size() - end - 1;
    head = head.first(end + 1);
    if (const qsizetype start = tail.indexOf('\n'); start >= 0 && start + 1 < tail.size()) {
        dropped += start + 1;
        tail = tail.sliced(start + 1);
    }
    QByteArray whole = head.toByteArray();
    whole += "[... " + QByteArray::number(dropped) + " bytes of output left out ...]\n";
    return whole + tail.toByteArray();
}

} // namespace rivonel
