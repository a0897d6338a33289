#pragma once

#include <QByteArray>
#include <QByteArrayView>

#include <limits>
#include <utility>

// The receive buffer of the serial component, with the quiet-line rule: a byte that
// arrives after the line has been quiet for longer than one resynchronisation tick
// starts a new frame, so whatever still waits from before is stray and discarded.
// The meter's frame never pauses that long inside itself (8 bytes take 33 ms at about
// 4 ms a byte) and its frames are separated by longer pauses, so stray bytes from noise
// or a partial frame can never be taken as the head of the next frame.
class ReceiveBuffer {
public:
    static constexpr qint64 quietGapMs = 20;

    // Appends bytes that arrived at nowMs (a monotonic clock). Returns the bytes that
    // were discarded because of the quiet gap before them, for the frame log.
    QByteArray append(QByteArrayView bytes, qint64 nowMs)
    {
        QByteArray stale;
        if (!m_bytes.isEmpty() && nowMs - m_lastArrivalMs > quietGapMs)
            stale = std::exchange(m_bytes, {});
        if (!bytes.isEmpty()) {
            m_bytes.append(bytes);
            m_lastArrivalMs = nowMs;
        }
        return stale;
    }

    int size() const { return int(m_bytes.size()); }
    QByteArray takeAll() { return std::exchange(m_bytes, {}); }

private:
    QByteArray m_bytes;
    qint64 m_lastArrivalMs = std::numeric_limits<qint64>::min() / 2;
};
