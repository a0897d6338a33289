#include "meterlink/meterframe.h"

#include <QTest>

namespace {

MeterFrame frameFromHex(const char *hex)
{
    const QByteArray bytes = QByteArray::fromHex(QByteArray(hex).replace(' ', ""));
    MeterFrame f{};
    for (int i = 0; i < 8; ++i)
        f[std::size_t(i)] = std::uint8_t(bytes.at(i));
    return f;
}

MeterFrame frame(int range, int function, int byte2, std::array<int, 5> digits)
{
    return {std::uint8_t(range),     std::uint8_t(function),  std::uint8_t(byte2),
            std::uint8_t(digits[0]), std::uint8_t(digits[1]), std::uint8_t(digits[2]),
            std::uint8_t(digits[3]), std::uint8_t(digits[4])};
}

} // namespace

class TestDecodeFrame : public QObject {
    Q_OBJECT
private slots:
    void decodes_data();
    void decodes();
    void flagsOfByte2_data();
    void flagsOfByte2();
    void fixedEntriesIgnoreRangeCode();
    void rangeSetGaps();
    void icons();
    void unusedBitsDoNotMatter();
    void digitBytesAboveNine();
};

void TestDecodeFrame::decodes_data()
{
    QTest::addColumn<QString>("hex");
    QTest::addColumn<QString>("funcName");
    QTest::addColumn<QString>("acdcText");
    QTest::addColumn<bool>("knownRange");
    QTest::addColumn<QString>("rangeText");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<double>("fullScale");
    QTest::addColumn<int>("decimals");
    QTest::addColumn<QString>("valueText");
    QTest::addColumn<double>("value");

    // One row per function code, each in one of its ranges, then the corner cases.
    QTest::newRow("0 AC V 500.00V") << "02 00 00 00 01 02 03 04" << "AC Spannung" << "AC" << true << "500.00V" << "V" << 500.0 << 2 << "012.34" << 1234 * 0.01;
    QTest::newRow("1 dBm fixed") << "07 01 00 00 00 00 00 00" << "dBm Messung" << "" << true << "500.00dBm" << "dBm" << 500.0 << 2 << "000.00" << 0.0;
    QTest::newRow("2 DC V zero") << "00 02 00 00 00 00 00 00" << "DC Spannung" << "DC" << true << "5.0000V" << "V" << 5.0 << 4 << "0.0000" << 0.0;
    QTest::newRow("2 DC V negative") << "01 02 20 01 02 03 04 05" << "DC Spannung" << "DC" << true << "50.000V" << "V" << 50.0 << 3 << "-12.345" << -(12345 * 0.001);
    QTest::newRow("2 DC V overload negative") << "00 22 20 01 02 03 04 05" << "DC Spannung" << "DC" << true << "5.0000V" << "V" << 5.0 << 4 << ".OL" << -(12345 * 0.0001);
    QTest::newRow("3 DC+AC V 5000.0V") << "03 03 00 01 02 03 04 05" << "DC+AC Spannung" << "DC+AC" << true << "5000.0V" << "V" << 5000.0 << 1 << "1234.5" << 12345 * 0.1;
    QTest::newRow("4 DCmV") << "00 04 00 00 01 02 03 04" << "DCmV" << "DC" << true << "50.000mV" << "mV" << 50.0 << 3 << "01.234" << 1234 * 0.001;
    QTest::newRow("5 ACmV") << "01 05 00 00 01 02 03 04" << "ACmV" << "AC" << true << "500.00mV" << "mV" << 500.0 << 2 << "012.34" << 1234 * 0.01;
    QTest::newRow("6 DCmV+ACmV") << "01 06 00 00 00 00 00 01" << "DCmV+ACmV" << "DC+AC" << true << "500.00mV" << "mV" << 500.0 << 2 << "000.01" << 0.01;
    QTest::newRow("7 Hz kHz") << "03 07 00 01 00 00 00 00" << "Frequenz" << "" << true << "5.0000kHz" << "kHz" << 5.0 << 4 << "1.0000" << 10000 * 0.0001;
    QTest::newRow("7 Hz MHz") << "07 07 00 04 09 09 09 09" << "Frequenz" << "" << true << "50.000MHz" << "MHz" << 50.0 << 3 << "49.999" << 49999 * 0.001;
    QTest::newRow("7 Hz range 2 unknown") << "02 07 00 00 01 02 03 04" << "Frequenz" << "" << false << "" << "" << 40.0 << 0 << "01234" << 1234.0;
    QTest::newRow("8 duty fixed") << "0F 08 00 00 05 00 00 00" << "Duty Cycle" << "" << true << "100.00%" << "%" << 100.0 << 2 << "050.00" << 5000 * 0.01;
    QTest::newRow("9 diode fixed") << "05 09 00 00 06 01 02 03" << "Diode" << "" << true << "2.5000V" << "V" << 2.5 << 4 << "0.6123" << 6123 * 0.0001;
    QTest::newRow("10 Ohm MOhm") << "05 0A 00 01 00 00 00 00" << "Widerstand" << "" << true << "50.000MOhm" << "MOhm" << 50.0 << 3 << "10.000" << 10000 * 0.001;
    QTest::newRow("10 Ohm overload") << "02 2A 00 00 00 00 00 00" << "Widerstand" << "" << true << "50.000kOhm" << "kOhm" << 50.0 << 3 << ".OL" << 0.0;
    QTest::newRow("11 continuity fixed") << "09 0B 00 00 00 01 05 00" << "Durchgang" << "" << true << "500.00Ohm" << "Ohm" << 500.0 << 2 << "001.50" << 150 * 0.01;
    QTest::newRow("12 F 5000uF no point") << "05 0C 00 00 01 02 03 04" << "Kapazitaet" << "" << true << "5000uF" << "uF" << 5000.0 << 0 << "01234" << 1234.0;
    QTest::newRow("12 F nF") << "00 0C 00 00 04 07 00 00" << "Kapazitaet" << "" << true << "50.00nF" << "nF" << 50.0 << 2 << "047.00" << 4700 * 0.01;
    QTest::newRow("13 DC uA") << "00 0D 00 00 01 00 00 00" << "DC Strom" << "DC" << true << "500.00uA" << "uA" << 500.0 << 2 << "010.00" << 1000 * 0.01;
    QTest::newRow("14 AC uA") << "01 0E 00 00 01 00 00 00" << "AC Strom" << "AC" << true << "5000.0uA" << "uA" << 5000.0 << 1 << "0100.0" << 1000 * 0.1;
    QTest::newRow("15 DC+AC uA") << "01 0F 00 00 00 00 00 07" << "DC+AC Strom" << "DC+AC" << true << "5000.0uA" << "uA" << 5000.0 << 1 << "0000.7" << 7 * 0.1;
    QTest::newRow("16 DC mA") << "00 10 00 00 02 05 00 00" << "DC Strom" << "DC" << true << "50.000mA" << "mA" << 50.0 << 3 << "02.500" << 2500 * 0.001;
    QTest::newRow("17 AC mA") << "01 11 00 00 02 05 00 00" << "AC Strom" << "AC" << true << "500.00mA" << "mA" << 500.0 << 2 << "025.00" << 2500 * 0.01;
    QTest::newRow("18 DCmA+ACmA") << "01 12 00 00 00 00 00 01" << "DCmA+ACmA" << "DC+AC" << true << "500.00mA" << "mA" << 500.0 << 2 << "000.01" << 0.01;
    QTest::newRow("19 DC A") << "00 13 20 00 01 00 00 00" << "DC Strom" << "DC" << true << "5.0000A" << "A" << 5.0 << 4 << "-0.1000" << -(1000 * 0.0001);
    QTest::newRow("20 AC A") << "01 14 00 00 01 00 00 00" << "AC Strom" << "AC" << true << "50.000A" << "A" << 50.0 << 3 << "01.000" << 1000 * 0.001;
    QTest::newRow("21 DC+AC A range 2 unknown") << "02 15 00 00 00 00 00 09" << "DC+AC Strom" << "DC+AC" << false << "" << "" << 40.0 << 0 << "00009" << 9.0;
}

void TestDecodeFrame::decodes()
{
    QFETCH(QString, hex);
    QFETCH(QString, funcName);
    QFETCH(QString, acdcText);
    QFETCH(bool, knownRange);
    QFETCH(QString, rangeText);
    QFETCH(QString, unit);
    QFETCH(double, fullScale);
    QFETCH(int, decimals);
    QFETCH(QString, valueText);
    QFETCH(double, value);

    const MeterReading r = decodeFrame(frameFromHex(qPrintable(hex)));

    QVERIFY(r.knownFunction);
    QCOMPARE(r.funcName, funcName);
    QCOMPARE(r.acdcText, acdcText);
    QCOMPARE(r.knownRange, knownRange);
    QCOMPARE(r.rangeText, rangeText);
    QCOMPARE(r.unit, unit);
    QCOMPARE(r.fullScale, fullScale);
    QCOMPARE(r.decimals, decimals);
    QCOMPARE(r.factor, knownRange ? std::pow(10.0, -decimals) : 1.0);
    QCOMPARE(r.valueText, valueText);
    QCOMPARE(r.value, value); // exact: the same multiplication by the factor
}

void TestDecodeFrame::flagsOfByte2_data()
{
    QTest::addColumn<int>("byte1");
    QTest::addColumn<int>("byte2");
    QTest::addColumn<int>("minMaxMode");
    QTest::addColumn<bool>("autoRange");
    QTest::addColumn<bool>("relative");
    QTest::addColumn<bool>("negative");
    QTest::addColumn<bool>("hold");
    QTest::addColumn<bool>("overload");

    QTest::newRow("all clear: auto") << 0x02 << 0x00 << 0 << true << false << false << false << false;
    QTest::newRow("0x13 max-min manual") << 0x02 << 0x13 << 3 << false << false << false << false << false;
    QTest::newRow("max") << 0x02 << 0x01 << 1 << true << false << false << false << false;
    QTest::newRow("min rel") << 0x02 << 0x06 << 2 << true << true << false << false << false;
    QTest::newRow("negative") << 0x02 << 0x20 << 0 << true << false << true << false << false;
    QTest::newRow("hold") << 0x42 << 0x00 << 0 << true << false << false << true << false;
    QTest::newRow("hold overload") << 0x62 << 0x00 << 0 << true << false << false << true << true;
}

void TestDecodeFrame::flagsOfByte2()
{
    QFETCH(int, byte1);
    QFETCH(int, byte2);
    const MeterReading r = decodeFrame(frame(1, byte1, byte2, {0, 0, 0, 0, 0}));
    QTEST(r.minMaxMode, "minMaxMode");
    QTEST(r.autoRange, "autoRange");
    QTEST(r.relative, "relative");
    QTEST(r.negative, "negative");
    QTEST(r.hold, "hold");
    QTEST(r.overload, "overload");
}

void TestDecodeFrame::fixedEntriesIgnoreRangeCode()
{
    for (int function : {1, 8, 9, 11}) {
        const MeterReading first = decodeFrame(frame(0, function, 0, {0, 1, 2, 3, 4}));
        QVERIFY(first.knownRange);
        for (int range = 1; range <= 15; ++range) {
            const MeterReading r = decodeFrame(frame(range, function, 0, {0, 1, 2, 3, 4}));
            QCOMPARE(r.rangeText, first.rangeText);
            QCOMPARE(r.unit, first.unit);
            QCOMPARE(r.valueText, first.valueText);
            QCOMPARE(r.value, first.value);
        }
    }
}

void TestDecodeFrame::rangeSetGaps()
{
    // function -> range codes that have an entry
    const QList<QPair<QList<int>, QList<int>>> sets = {
        {{0, 2, 3}, {0, 1, 2, 3}},                 // V
        {{4, 5, 6, 13, 14, 15, 16, 17, 18, 19, 20, 21}, {0, 1}}, // mV, uA, mA, A
        {{7}, {0, 1, 3, 4, 5, 6, 7}},              // Hz, no code 2
        {{10, 12}, {0, 1, 2, 3, 4, 5}},            // Ohm, F
    };
    for (const auto &[functions, known] : sets) {
        for (int function : functions) {
            for (int range = 0; range <= 15; ++range) {
                const MeterReading r = decodeFrame(frame(range, function, 0, {0, 0, 1, 2, 3}));
                QVERIFY2(r.knownRange == known.contains(range),
                         qPrintable(QStringLiteral("function %1 range %2").arg(function).arg(range)));
                if (!r.knownRange) {
                    QCOMPARE(r.fullScale, 40.0);
                    QCOMPARE(r.factor, 1.0);
                    QCOMPARE(r.valueText, QStringLiteral("00123"));
                }
            }
        }
    }
    for (int function = 22; function <= 31; ++function) {
        const MeterReading r = decodeFrame(frame(1, function, 0x20, {0, 0, 0, 4, 2}));
        QVERIFY(!r.knownFunction);
        QVERIFY(!r.knownRange);
        QVERIFY(r.funcName.isEmpty());
        QCOMPARE(r.valueText, QStringLiteral("-00042"));
        QCOMPARE(r.value, -42.0);
    }
}

void TestDecodeFrame::icons()
{
    for (int function = 0; function <= 31; ++function) {
        for (int range : {0, 7, 15}) {
            const FunctionIcon expected = function == 9    ? FunctionIcon::Diode
                                          : function == 11 ? FunctionIcon::Continuity
                                                           : FunctionIcon::None;
            QCOMPARE(decodeFrame(frame(range, function, 0, {0, 0, 0, 0, 0})).icon, expected);
        }
    }
}

void TestDecodeFrame::unusedBitsDoNotMatter()
{
    // Byte 0 high nibble, byte 1 bit 7, byte 2 bits 3, 6 and 7 are not used.
    for (int function = 0; function <= 31; function += 3) {
        const MeterFrame plain = frame(1, function, 0x35, {1, 2, 3, 4, 5});
        MeterFrame noisy = plain;
        noisy[0] |= 0xF0;
        noisy[1] |= 0x80;
        noisy[2] |= 0xC8;
        const MeterReading a = decodeFrame(plain);
        const MeterReading b = decodeFrame(noisy);
        QCOMPARE(b.functionCode, a.functionCode);
        QCOMPARE(b.rangeText, a.rangeText);
        QCOMPARE(b.valueText, a.valueText);
        QCOMPARE(b.value, a.value);
        QCOMPARE(b.minMaxMode, a.minMaxMode);
        QCOMPARE(b.autoRange, a.autoRange);
        QCOMPARE(b.relative, a.relative);
        QCOMPARE(b.negative, a.negative);
    }
}

void TestDecodeFrame::digitBytesAboveNine()
{
    // 0xFF in every digit: 255 * 11111 = 2833305, seven characters.
    const MeterReading big = decodeFrame(frame(1, 2, 0, {255, 255, 255, 255, 255}));
    QCOMPARE(big.count, 2833305);
    QCOMPARE(big.digits, QStringLiteral("2833305"));
    // 3 decimals: the first two and the last three characters, the middle dropped.
    QCOMPARE(big.valueText, QStringLiteral("28.305"));
    QCOMPARE(big.value, 2833305 * 0.001);

    const MeterReading six = decodeFrame(frame(5, 12, 0, {10, 0, 0, 0, 0})); // no decimals
    QCOMPARE(six.digits, QStringLiteral("100000"));
    QCOMPARE(six.valueText, QStringLiteral("100000"));
}

QTEST_APPLESS_MAIN(TestDecodeFrame)
#include "tst_decodeframe.moc"
