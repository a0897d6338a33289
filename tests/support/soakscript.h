#pragma once

#include "meterlink/meterframe.h"

#include <QByteArray>
#include <QList>

#include <random>

// A long meter script: readings in known ranges, each followed by 40 to 60 ms of quiet,
// and now and then a noise burst or a partial frame the line must shrug off.
inline QByteArray soakScript(int frames)
{
    std::mt19937 random(20120514);
    const auto pick = [&](int lo, int hi) { return std::uniform_int_distribution<int>(lo, hi)(random); };
    const auto fixed3 = [&](int lo, int hi) { return QByteArray::number(pick(lo, hi) / 1000.0, 'f', 3); };
    QByteArray script;
    for (int i = 0; i < frames; ++i) {
        switch (i % 4) {
        case 0:
            script += "reading func=2 range=1 value=" + fixed3(-49999, 49999);
            break;
        case 1:
            script += "reading func=10 range=2 value=" + fixed3(0, 49999);
            break;
        case 2:
            script += "reading func=7 range=4 value=" + fixed3(0, 49999) + (pick(0, 9) == 0 ? " ol" : "");
            break;
        default:
            script += "reading func=12 range=5 value=" + QByteArray::number(pick(0, 4999));
        }
        script += " pause=" + QByteArray::number(pick(40, 60)) + "\n";
        if (i % 25 == 12) {
            // Never exactly 8 stray bytes: those would be a frame no receiver can tell apart.
            const int n = pick(0, 1) ? pick(1, 7) : pick(9, 24);
            script += "noise " + QByteArray::number(n) + " pause=45\n";
        } else if (i % 25 == 20) {
            script += "partial " + QByteArray::number(pick(1, 7)) + " pause=45\n";
        }
    }
    script += "hangup\n";
    return script;
}

inline MeterFrame frameFromHex(const QByteArray &hex)
{
    const QByteArray bytes = QByteArray::fromHex(hex);
    MeterFrame f{};
    for (int i = 0; i < 8 && i < bytes.size(); ++i)
        f[std::size_t(i)] = std::uint8_t(bytes.at(i));
    return f;
}

// The text report of the given frames as the limit handling writes it with the test
// clock, made here from the frames alone.
inline QByteArray expectedReport(const QList<MeterFrame> &frames)
{
    QByteArray bytes = "Kalvendo Report14.05.201207:03:31\r\n\r\n";
    for (int i = 0; i < frames.size(); ++i) {
        const MeterReading r = decodeFrame(frames[i]);
        bytes += " " + QByteArray::number(i + 1) + " " + r.funcName.toLatin1() + r.valueText.toLatin1()
                 + r.unit.toLatin1() + "14.05.2012\\07:03:31\r\n";
    }
    return bytes;
}
