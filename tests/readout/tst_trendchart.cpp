#include "logfixture.h"

#include "meterlink/gvarmod.h"
#include "meterlink/readoutstate.h"
#include "platform/picturebutton.h"
#include "platform/pictures.h"
#include "readout/showform.h"
#include "readout/trendchart.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QTest>

#include <functional>

namespace {

const QColor kBackground(224, 224, 224);
const QColor kGrid(192, 192, 192);
const QColor kRed(255, 0, 0);

// The readout panel, loaded and shown.
struct Panel {
    GVarMod vars;
    ReadoutState state;
    RunningExtremes extremes;
    ShowForm form{vars, state, extremes};

    Panel()
    {
        form.Form_Load();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
    }

    // n readings as the pipeline leaves them on the live page.
    void fill(
        int n, const std::function<double(int)> &value = [](int) { return 0.0; })
    {
        for (int i = 1; i <= n; ++i) {
            const int nr = vars.recordCount + 1;
            addRecord(vars, QStringLiteral("DC Spannung"), QStringLiteral("v%1").arg(nr),
                QStringLiteral("V"), QStringLiteral("14.05.2012\\07:03:%1").arg(nr % 60),
                value(nr));
        }
        vars.followLive();
        form.relabelX(vars.pageFirst);
        form.clearAndRedraw();
    }

    // The inner area as drawn now, in its own pixel coordinates.
    QImage chart() const
    {
        const int b = TrendChart::border;
        return form.Picture1->grab().toImage().copy(QRect(QPoint(b, b), QSize(405, 245)));
    }

    void pointerAt(QPointF pos) { move(form.Picture1->inner(), pos); }

    static void move(QWidget *target, QPointF pos)
    {
        QMouseEvent event(QEvent::MouseMove, pos, target->mapToGlobal(pos), Qt::NoButton,
            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }

    QString xLabels() const
    {
        return QStringList{form.Label7[0]->text(), form.Label7[1]->text(), form.Label7[2]->text()}
            .join(u' ');
    }
};

int count(const QImage &image, const QColor &colour)
{
    int n = 0;
    for (int y = 0; y < image.height(); ++y)
        for (int x = 0; x < image.width(); ++x)
            n += image.pixelColor(x, y) == colour;
    return n;
}

} // namespace

class TestTrendChart : public QObject {
    Q_OBJECT
private slots:
    void layoutAtLoad();
    void emptyLogDrawsTheFrameOnly_data();
    void emptyLogDrawsTheFrameOnly();
    void markersLandOnTheirRows_data();
    void markersLandOnTheirRows();
    void valueBeyondTheScaleIsClippedNotClamped();
    void scaleBoxRelabelsAndRedraws();
    void zoomStopsAtTheEnds();
    void cursorNamesThePointUnderIt();
    void cursorBoxStaysInside_data();
    void cursorBoxStaysInside();
    void cursorLeavesAndReleasesThePointer();
    void pagingRelabelsAndRedraws();
    void pagingPicturesFollowThePointer();
    void zoomPicturesFollowTheButton();
};

void TestTrendChart::layoutAtLoad()
{
    Panel p;
    ShowForm &f = p.form;
    QCOMPARE(f.Picture1->geometry(), QRect(40, 296, 409, 249));
    QCOMPARE(f.Picture1->inner()->geometry(), QRect(2, 2, 405, 245));
    QCOMPARE(f.Combo1->geometry(), QRect(40, 264, 73, 21));
    QVERIFY(!f.Combo1->isEditable());
    QStringList choices;
    for (int i = 0; i < f.Combo1->count(); ++i)
        choices << f.Combo1->itemText(i);
    QCOMPARE(choices.join(u' '), QStringLiteral("4000 2000 1000 400 200 100 40 20 10"));
    QCOMPARE(f.Combo1->currentText(), QStringLiteral("400"));
    int left = 120;
    for (PictureButton *b : {f.Picture2, f.Picture3, f.Picture4, f.Picture5, f.Picture6}) {
        QCOMPARE(b->geometry(), QRect(left, 264, 60, 21));
        left += 64;
    }
    QCOMPARE(f.Image1->geometry(), QRect(452, 336, 42, 42));
    QCOMPARE(f.Image2->geometry(), QRect(452, 384, 42, 42));
    QCOMPARE(f.Image3->geometry(), QRect(452, 432, 42, 42));
    QCOMPARE(f.Label7[2]->geometry().right() + 1, 449);
    QCOMPARE(p.xLabels(), QStringLiteral("1 50 100"));

    // Each Y label stands on its grid level (form row 298 + level).
    const int levels[8] = {23, 48, 73, 98, 148, 173, 198, 223};
    QStringList captions;
    for (int k = 0; k < 8; ++k) {
        QCOMPARE(f.Label8[std::size_t(k)]->geometry().center().y(), 298 + levels[k]);
        captions << f.Label8[std::size_t(k)]->text();
    }
    QCOMPARE(captions.join(u' '), QStringLiteral("400 300 200 100 -100 -200 -300 -400"));
    QCOMPARE(f.Label6->geometry().center().y(), 298 + 123);
    QCOMPARE(f.Label6->text(), QStringLiteral("0"));
    QCOMPARE(f.Label8[8]->text(), QStringLiteral("Y:"));
    QVERIFY(!f.Label12->isVisible());
    QVERIFY(!f.Line1->isVisible());
}

void TestTrendChart::emptyLogDrawsTheFrameOnly_data()
{
    QTest::addColumn<bool>("cleared");
    QTest::newRow("start") << false;
    QTest::newRow("emptied, old page still set") << true;
}

void TestTrendChart::emptyLogDrawsTheFrameOnly()
{
    QFETCH(bool, cleared);
    Panel p;
    if (cleared) {
        p.fill(250, [](int) { return 100.0; });
        p.vars.clearLog();
    }
    p.vars.plotPoints[1] = {77, 7, 7};
    p.form.clearAndRedraw();
    const QImage img = p.chart();

    QCOMPARE(img.pixelColor(200, 123), QColor(Qt::black));
    QCOMPARE(img.pixelColor(404, 123), QColor(Qt::black)); // the line runs past the edge
    QCOMPARE(img.pixelColor(0, 23), kGrid);
    QCOMPARE(img.pixelColor(0, 223), kGrid);
    QCOMPARE(img.pixelColor(200, 122), kBackground);
    QCOMPARE(img.pixelColor(4, 244), kGrid); // tick under point 1
    QCOMPARE(img.pixelColor(5, 244), kBackground);
    QCOMPARE(img.pixelColor(400, 244), kGrid);
    QCOMPARE(count(img, kRed), 0);
    QCOMPARE(p.vars.plotPoints[1].recordIndex, 77); // left as it was
}

void TestTrendChart::markersLandOnTheirRows_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<int>("row");
    QTest::newRow("top level") << 400.0 << 23;
    QTest::newRow("bottom level") << -400.0 << 223;
    QTest::newRow("122.5 to 122") << 2.0 << 122;
    QTest::newRow("121.5 to 122") << 6.0 << 122;
}

void TestTrendChart::markersLandOnTheirRows()
{
    QFETCH(double, value);
    QFETCH(int, row);
    Panel p;
    p.fill(1, [value](int) { return value; });
    const QImage img = p.chart();

    // One point: a marker of radius 2 about (4, row) and no line.
    for (int dx = -2; dx <= 2; ++dx)
        QCOMPARE(img.pixelColor(4 + dx, row), kRed);
    QCOMPARE(img.pixelColor(4, row - 2), kRed);
    QCOMPARE(img.pixelColor(4, row + 2), kRed);
    QCOMPARE(img.pixelColor(4, row - 3), kBackground);
    QVERIFY(img.pixelColor(7, row) != kRed);
    QCOMPARE(p.vars.plotPoints[1].y, row);
}

void TestTrendChart::valueBeyondTheScaleIsClippedNotClamped()
{
    Panel p;
    p.fill(2, [](int nr) { return nr == 2 ? 1000.0 : 0.0; });
    const QImage img = p.chart();
    QCOMPARE(img.pixelColor(4, 123), kRed);
    // The line towards (8, -127) leaves the top edge near x 6; a marker pushed onto the
    // edge would show at (8, 1).
    QVERIFY(img.pixelColor(5, 0) == kRed || img.pixelColor(6, 0) == kRed);
    QCOMPARE(img.pixelColor(8, 1), kBackground);
    QCOMPARE(p.vars.plotPoints[2].y, -127);
}

void TestTrendChart::scaleBoxRelabelsAndRedraws()
{
    Panel p;
    p.fill(100, [](int nr) { return nr == 50 ? 100.0 : 0.0; });
    QCOMPARE(p.chart().pixelColor(200, 98), kRed);

    const int index = p.form.Combo1->findText(QStringLiteral("10"));
    p.form.Combo1->setCurrentIndex(index);
    emit p.form.Combo1->activated(index);
    QCOMPARE(p.vars.yScale, 10);
    QStringList labels;
    for (int k = 0; k < 8; ++k)
        labels << p.form.Label8[std::size_t(k)]->text();
    QCOMPARE(labels.join(u' '), QStringLiteral("10 7,5 5 2,5 -2,5 -5 -7,5 -10"));
    const QImage img = p.chart();
    QCOMPARE(img.pixelColor(200, 98), kBackground); // 100 at scale 10 is far above the area
    QCOMPARE(img.pixelColor(100, 123), kRed); // the zeros are still on the line
}

void TestTrendChart::zoomStopsAtTheEnds()
{
    Panel p;
    QCOMPARE(p.form.Combo1->currentText(), QStringLiteral("400"));
    p.form.Image2_Click();
    QCOMPARE(p.form.Combo1->currentText(), QStringLiteral("200"));
    QCOMPARE(p.vars.yScale, 200);
    QCOMPARE(p.form.Label8[0]->text(), QStringLiteral("200"));
    for (int i = 0; i < 10; ++i)
        p.form.Image2_Click();
    QCOMPARE(p.form.Combo1->currentText(), QStringLiteral("10"));
    QCOMPARE(p.vars.yScale, 10);
    for (int i = 0; i < 10; ++i)
        p.form.Image3_Click();
    QCOMPARE(p.form.Combo1->currentText(), QStringLiteral("4000"));
    QCOMPARE(p.vars.yScale, 4000);
    QCOMPARE(p.form.Label8[1]->text(), QStringLiteral("3000"));
}

void TestTrendChart::cursorNamesThePointUnderIt()
{
    Panel p;
    p.fill(50);
    p.vars.log[2].valueText = QStringLiteral(".OL");

    struct Case {
        double x;
        QString value, func, stamp;
    };
    const Case cases[] = {
        {2, "", "", ""}, // n = 0
        {3, "v1V", "DC Spannung", "14.05.2012\\07:03:1"}, // n = 1
        {6, ".OL", "DC Spannung", "14.05.2012\\07:03:2"}, // 1.5 to 2; no unit after .OL
        {10, ".OL", "DC Spannung", "14.05.2012\\07:03:2"}, // 2.5 to 2
        {200, "v50V", "DC Spannung", "14.05.2012\\07:03:50"},
        {204, "", "", ""}, // right of the last point
    };
    for (const Case &c : cases) {
        p.pointerAt({c.x, 100});
        QCOMPARE(p.form.Label12->text(), c.value);
        QCOMPARE(p.form.Label14->text(), c.func);
        QCOMPARE(p.form.Label15->text(), c.stamp);
        QVERIFY(p.form.Label12->isVisible());
        QCOMPARE(p.form.Line1->x(), qRound(c.x));
    }

    p.vars.clearLog(); // the page still says 1..50, but there are no readings
    p.pointerAt({200, 100});
    QCOMPARE(p.form.Label12->text(), QString());
    QCOMPARE(p.form.Label14->text(), QString());
}

void TestTrendChart::cursorBoxStaysInside_data()
{
    QTest::addColumn<QPointF>("pointer");
    QTest::addColumn<QPoint>("box");
    QTest::newRow("open space") << QPointF(10, 10) << QPoint(13, 13);
    QTest::newRow("right edge") << QPointF(310, 10) << QPoint(306, 13);
    QTest::newRow("bottom edge") << QPointF(10, 220) << QPoint(13, 219);
    QTest::newRow("corner") << QPointF(404, 244) << QPoint(306, 219);
    QTest::newRow("far corner counts as inside") << QPointF(405, 245) << QPoint(306, 219);
}

void TestTrendChart::cursorBoxStaysInside()
{
    QFETCH(QPointF, pointer);
    Panel p;
    p.pointerAt(pointer);
    QTEST(p.form.Label12->pos(), "box");
    QVERIFY(p.form.Line1->isVisible());
}

void TestTrendChart::cursorLeavesAndReleasesThePointer()
{
    Panel p;
    p.fill(10);
    p.pointerAt({20, 50});
    QCOMPARE(QWidget::mouseGrabber(), p.form.Picture1->inner());
    QCOMPARE(p.form.Label12->text(), QStringLiteral("v5V"));

    p.pointerAt({406, 50});
    QVERIFY(!p.form.Label12->isVisible());
    QVERIFY(!p.form.Line1->isVisible());
    QCOMPARE(p.form.Label12->text(), QString());
    QCOMPARE(p.form.Label14->text(), QString());
    QCOMPARE(p.form.Label15->text(), QString());
    QCOMPARE(QWidget::mouseGrabber(), nullptr);

    p.pointerAt({20, -0.5});
    QVERIFY(!p.form.Label12->isVisible());
}

void TestTrendChart::pagingRelabelsAndRedraws()
{
    Panel p;
    p.fill(250, [](int nr) { return nr <= 100 ? 400.0 : 0.0; });
    QCOMPARE(p.xLabels(), QStringLiteral("201 250 300"));
    QCOMPARE(p.chart().pixelColor(200, 123), kRed);

    QTest::mouseClick(p.form.Picture2, Qt::LeftButton);
    QCOMPARE(p.xLabels(), QStringLiteral("1 50 100"));
    QVERIFY(p.vars.browsing);
    QCOMPARE(p.chart().pixelColor(200, 23), kRed); // the first page's readings
    QCOMPARE(p.vars.plotPoints[100].recordIndex, 100);

    QTest::mouseClick(p.form.Picture3, Qt::LeftButton); // nothing before page 1
    QCOMPARE(p.xLabels(), QStringLiteral("1 50 100"));

    QTest::mouseClick(p.form.Picture5, Qt::LeftButton);
    QCOMPARE(p.xLabels(), QStringLiteral("101 150 200"));
    QTest::mouseClick(p.form.Picture6, Qt::LeftButton);
    QCOMPARE(p.xLabels(), QStringLiteral("201 250 300"));
    QVERIFY(!p.vars.browsing);
    QCOMPARE(p.vars.pagePoints, 50);

    QTest::mouseClick(p.form.Picture2, Qt::LeftButton);
    QTest::mouseClick(p.form.Picture4, Qt::LeftButton);
    QCOMPARE(p.xLabels(), QStringLiteral("201 250 300"));
    QVERIFY(!p.vars.browsing);
}

void TestTrendChart::pagingPicturesFollowThePointer()
{
    Panel p;
    const struct {
        PictureButton *button;
        const char *name;
        const char *tip;
    } buttons[] = {
        {p.form.Picture2, "page_first", "first page"},
        {p.form.Picture3, "page_prev", "previous page"},
        {p.form.Picture4, "page_live", "last page"},
        {p.form.Picture5, "page_next", "next page"},
        {p.form.Picture6, "page_last", "last page"},
    };
    for (const auto &b : buttons) {
        const QString name = QString::fromLatin1(b.name);
        const QImage normal = picture(name, {60, 21}).toImage();
        const QImage hot = picture(name + QStringLiteral("_hot"), {60, 21}).toImage();
        QVERIFY(normal != hot);
        QCOMPARE(b.button->toolTip(), QString::fromLatin1(b.tip));
        QCOMPARE(b.button->pixmap().toImage(), normal);

        Panel::move(b.button, {30, 10});
        QCOMPARE(b.button->pixmap().toImage(), hot);
        QCOMPARE(QWidget::mouseGrabber(), b.button);

        Panel::move(b.button, {61, 10}); // the first movement outside
        QCOMPARE(b.button->pixmap().toImage(), normal);
        QCOMPARE(QWidget::mouseGrabber(), nullptr);
    }
}

void TestTrendChart::zoomPicturesFollowTheButton()
{
    Panel p;
    const struct {
        PictureButton *button;
        const char *normal;
        const char *pressed;
    } buttons[] = {
        {p.form.Image2, "zoom_apart", "zoom_apart_pressed"},
        {p.form.Image3, "zoom_together", "zoom_together_pressed"},
    };
    for (const auto &b : buttons) {
        const QImage normal = picture(QString::fromLatin1(b.normal), {40, 40}).toImage();
        const QImage pressed = picture(QString::fromLatin1(b.pressed), {40, 40}).toImage();
        QTest::mousePress(b.button, Qt::LeftButton, {}, {20, 20});
        QCOMPARE(b.button->pixmap().toImage(), pressed);
        QTest::mouseRelease(b.button, Qt::LeftButton, {}, {20, 20});
        QCOMPARE(b.button->pixmap().toImage(), normal);
    }
    // Image2's click went to 200, Image3's back to 400.
    QCOMPARE(p.form.Combo1->currentText(), QStringLiteral("400"));
    QCOMPARE(p.vars.yScale, 400);
}

QTEST_MAIN(TestTrendChart)
#include "tst_trendchart.moc"
