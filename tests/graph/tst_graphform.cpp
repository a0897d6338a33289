#include "pipelinerig.h"
#include "testframes.h"
#include "fakeclock.h"
#include "fakeserialcomm.h"

#include "graph/graphchart.h"
#include "graph/graphform.h"
#include "meterlink/gvarmod.h"
#include "meterlink/modalgate.h"
#include "meterlink/readingpipeline.h"
#include "meterlink/readoutstate.h"
#include "platform/localeforms.h"
#include "platform/picturebutton.h"
#include "readout/showform.h"

#include <QApplication>
#include <QComboBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

namespace {

const QColor kBackground(224, 224, 224);
const QColor kGrid(192, 192, 192);
const QColor kRed(255, 0, 0);

// The readout panel fed by the reading pipeline, as the main window wires them.
struct Windows : PipelineRig {
    ShowForm form{vars, readout, extremes};

    Windows()
    {
        pipeline.setViews({nullptr, &form, &form, &form, nullptr});
        form.Form_Load();
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
    }
    ~Windows() { form.closeGraphForm(); }

    // Readings of the given value, one frame each at line pace.
    void read(int n, int value = 0)
    {
        for (int i = 0; i < n; ++i) {
            now += 250;
            comm.deliver(microfarads(value), now);
        }
    }

    GraphForm *open()
    {
        form.Image1_Click();
        GraphForm *graph = form.graphForm();
        if (graph && !QTest::qWaitForWindowExposed(graph))
            return nullptr;
        return graph;
    }

    QString showX() const
    {
        return QStringList{form.Label7[0]->text(), form.Label7[1]->text(), form.Label7[2]->text()}
            .join(u' ');
    }
    static QString graphX(const GraphForm *g)
    {
        return QStringList{g->xLabelCaption(0), g->xLabelCaption(1), g->xLabelCaption(2)}.join(
            u' ');
    }
    static QString graphY(const GraphForm *g)
    {
        QStringList l;
        for (int k = 0; k <= 16; ++k)
            l << g->yLabelCaption(k);
        return l.join(u' ');
    }
    static void pick(QComboBox *box, const QString &text)
    {
        const int index = box->findText(text);
        box->setCurrentIndex(index);
        emit box->activated(index);
    }
    static void move(QWidget *target, QPointF pos)
    {
        QMouseEvent event(QEvent::MouseMove, pos, target->mapToGlobal(pos), Qt::NoButton,
            Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(target, &event);
    }
    static QImage chart(const GraphForm *g)
    {
        const int b = TrendChart::border;
        return g->Picture1->grab().toImage().copy(QRect(QPoint(b, b), QSize(703, 492)));
    }
};

} // namespace

class TestGraphForm : public QObject {
    Q_OBJECT
private slots:
    void windowShape();
    void openingTakesPageAndScale();
    void closingDestroysAndTheNextOpeningMakesANewOne();
    void gridLiesOverTheZeroLine();
    void markerLandsOnItsRow();
    void pagingInEitherWindowMovesBoth();
    void scaleChosenInEitherWindowSetsBoth();
    void browsingKeepsThePageWhileReadingsArrive();
    void cursorBoxes_data();
    void cursorBoxes();
    void cursorTexts();
    void pagingPicturesFollowTheButton();
    void printButtonReachesThePanel();
};

void TestGraphForm::windowShape()
{
    Windows w;
    QCOMPARE(w.form.openGraphChart(), nullptr);
    GraphForm *g = w.open();
    QVERIFY(g);
    QCOMPARE(w.form.openGraphChart(), static_cast<ChartView *>(g));
    QCOMPARE(g->windowTitle(), QStringLiteral("Grafen"));
    QCOMPARE(g->size(), GraphForm::clientSize);
    QCOMPARE(g->minimumSize(), g->maximumSize());
    QVERIFY(g->isWindow());
    QVERIFY(!(g->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(g->testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(!g->isModal());
    QCOMPARE(g->palette().color(QPalette::Window), QColor(192, 192, 192));
    QCOMPARE(g->Picture1->geometry(), QRect(56, 40, 707, 496));
    QCOMPARE(g->Command1->text(), QStringLiteral("Druck"));
    // Every control lies inside the window.
    for (QWidget *child : g->findChildren<QWidget *>(Qt::FindDirectChildrenOnly))
        QVERIFY2(g->rect().contains(child->geometry()), qPrintable(child->objectName()));
    // The Y labels stand on their grid levels: row 42 + 31 + 27k of the window.
    QCOMPARE(g->Label8[0]->geometry().center().y(), 42 + 31);
    QCOMPARE(g->Label6->geometry().center().y(), 42 + 247);
    QCOMPARE(g->Label8[16]->geometry().center().y(), 42 + 463);
}

void TestGraphForm::openingTakesPageAndScale()
{
    Windows w;
    w.read(250);
    QCOMPARE(w.vars.pageFirst, 201);
    Windows::pick(w.form.Combo1, QStringLiteral("10"));

    GraphForm *g = w.open();
    QVERIFY(g);
    QCOMPARE(Windows::graphX(g), QStringLiteral("201 250 300"));
    QCOMPARE(g->Combo1->currentText(), QStringLiteral("10"));
    QCOMPARE(w.vars.yScale, 10);
    QCOMPARE(Windows::graphY(g),
        QStringLiteral("10 8,75 7,5 6,25 5 3,75 2,5 1,25 0 -1,25 -2,5 -3,75 -5 -6,25 -7,5 "
                       "-8,75 -10"));
    QCOMPARE(w.showX(), QStringLiteral("201 250 300"));

    // Opening it again keeps the one window.
    w.form.Image1_Click();
    QCOMPARE(w.form.graphForm(), g);
}

void TestGraphForm::closingDestroysAndTheNextOpeningMakesANewOne()
{
    Windows w;
    QPointer<GraphForm> first = w.open();
    QVERIFY(first);
    w.form.closeGraphForm();
    QCOMPARE(w.form.openGraphChart(), nullptr);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!first);

    // Paging with the window closed goes on, on the panel alone.
    w.read(150);
    QTest::mouseClick(w.form.Picture2, Qt::LeftButton);
    QCOMPARE(w.showX(), QStringLiteral("1 50 100"));

    GraphForm *second = w.open();
    QVERIFY(second);
    QCOMPARE(Windows::graphX(second), QStringLiteral("1 50 100"));
    QCOMPARE(second->Combo1->currentText(), QStringLiteral("400"));
}

void TestGraphForm::gridLiesOverTheZeroLine()
{
    Windows w;
    GraphForm *g = w.open();
    QVERIFY(g);
    const QImage img = Windows::chart(g);
    // The dotted grey level 247 is drawn over the black zero line, which shows in its gaps.
    QCOMPARE(img.pixelColor(0, 247), kGrid);
    QCOMPARE(img.pixelColor(1, 247), QColor(Qt::black));
    QCOMPARE(img.pixelColor(0, 31), kGrid);
    QCOMPARE(img.pixelColor(1, 31), kBackground);
    QCOMPARE(img.pixelColor(0, 463), kGrid);
    QCOMPARE(img.pixelColor(0, 32), kBackground);
    QCOMPARE(img.pixelColor(7, 490), kGrid);
    QCOMPARE(img.pixelColor(7, 491), kGrid);
    QCOMPARE(img.pixelColor(8, 491), kBackground);
    QCOMPARE(img.pixelColor(700, 491), kGrid);
    for (int y = 0; y < img.height(); ++y)
        for (int x = 0; x < img.width(); ++x)
            QVERIFY(img.pixelColor(x, y) != kRed);
}

void TestGraphForm::markerLandsOnItsRow()
{
    Windows w;
    w.read(1, 25);
    GraphForm *g = w.open();
    QVERIFY(g);
    const QImage img = Windows::chart(g);
    // 247 - 25 * 216 / 400 = 233.5, to the even 234.
    for (int dx = -2; dx <= 2; ++dx)
        QCOMPARE(img.pixelColor(7 + dx, 234), kRed);
    QCOMPARE(img.pixelColor(7, 232), kRed);
    QCOMPARE(img.pixelColor(7, 236), kRed);
    QCOMPARE(img.pixelColor(7, 231), kBackground);
    QCOMPARE(img.pixelColor(7, 237), kBackground);
}

void TestGraphForm::pagingInEitherWindowMovesBoth()
{
    Windows w;
    w.read(100, 400);
    w.read(150, 0);
    GraphForm *g = w.open();
    QVERIFY(g);
    QCOMPARE(Windows::chart(g).pixelColor(350, 247), kRed);

    QTest::mouseClick(w.form.Picture2, Qt::LeftButton);
    QCOMPARE(w.showX(), QStringLiteral("1 50 100"));
    QCOMPARE(Windows::graphX(g), QStringLiteral("1 50 100"));
    QVERIFY(w.vars.browsing);
    QCOMPARE(Windows::chart(g).pixelColor(350, 31), kRed); // the first page, redrawn

    QTest::mouseClick(g->imgbtnright, Qt::LeftButton);
    QCOMPARE(w.showX(), QStringLiteral("101 150 200"));
    QCOMPARE(Windows::graphX(g), QStringLiteral("101 150 200"));
    QVERIFY(w.vars.browsing);

    QTest::mouseClick(g->imgbtnleft, Qt::LeftButton);
    QTest::mouseClick(g->imgbtnleft, Qt::LeftButton); // nothing before page 1
    QCOMPARE(w.showX(), QStringLiteral("1 50 100"));

    QTest::mouseClick(g->imgbtnend, Qt::LeftButton);
    QCOMPARE(w.showX(), QStringLiteral("201 250 300"));
    QCOMPARE(Windows::graphX(g), QStringLiteral("201 250 300"));
    QVERIFY(!w.vars.browsing);
    QCOMPARE(w.vars.pagePoints, 50);

    QTest::mouseClick(g->imgbtnfirst, Qt::LeftButton);
    QTest::mouseClick(g->imgbtncenter, Qt::LeftButton);
    QCOMPARE(Windows::graphX(g), QStringLiteral("201 250 300"));
    QVERIFY(!w.vars.browsing);
}

void TestGraphForm::scaleChosenInEitherWindowSetsBoth()
{
    Windows w;
    w.read(10, 20);
    GraphForm *g = w.open();
    QVERIFY(g);

    Windows::pick(w.form.Combo1, QStringLiteral("20"));
    QCOMPARE(g->Combo1->currentText(), QStringLiteral("20"));
    QCOMPARE(w.vars.yScale, 20);
    QCOMPARE(w.form.Label8[1]->text(), QStringLiteral("15"));
    QCOMPARE(g->yLabelCaption(1), QStringLiteral("17,5"));
    QCOMPARE(Windows::chart(g).pixelColor(35, 31), kRed); // 20 on the top level

    Windows::pick(g->Combo1, QStringLiteral("4000"));
    QCOMPARE(w.form.Combo1->currentText(), QStringLiteral("4000"));
    QCOMPARE(w.vars.yScale, 4000);
    QCOMPARE(w.form.Label8[0]->text(), QStringLiteral("4000"));
    QCOMPARE(w.form.Label8[7]->text(), QStringLiteral("-4000"));
    QCOMPARE(g->yLabelCaption(1), QStringLiteral("3500"));

    g->Image3_Click(); // already the largest
    QCOMPARE(g->Combo1->currentText(), QStringLiteral("4000"));
    g->Image2_Click();
    QCOMPARE(g->Combo1->currentText(), QStringLiteral("2000"));
    QCOMPARE(w.form.Combo1->currentText(), QStringLiteral("2000"));
    QCOMPARE(w.vars.yScale, 2000);
    QCOMPARE(w.form.Label8[1]->text(), QStringLiteral("1500"));

    w.form.Image2_Click();
    QCOMPARE(g->Combo1->currentText(), QStringLiteral("1000"));
    QCOMPARE(g->yLabelCaption(16), QStringLiteral("-1000"));
    QCOMPARE(w.vars.yScale, 1000);
}

void TestGraphForm::browsingKeepsThePageWhileReadingsArrive()
{
    Windows w;
    GraphForm *g = w.open();
    QVERIFY(g);
    w.read(150);
    QCOMPARE(w.showX(), QStringLiteral("101 150 200"));
    QCOMPARE(Windows::graphX(g), QStringLiteral("101 150 200"));

    QTest::mouseClick(g->imgbtnfirst, Qt::LeftButton);
    w.read(10, 400);
    QCOMPARE(w.vars.recordCount, 160);
    QCOMPARE(w.vars.pageFirst, 1);
    QCOMPARE(w.vars.pagePoints, 100);
    QCOMPARE(w.showX(), QStringLiteral("1 50 100"));
    QCOMPARE(Windows::graphX(g), QStringLiteral("1 50 100"));
    QCOMPARE(Windows::chart(g).pixelColor(700, 247), kRed); // still the first page's zeros

    QTest::mouseClick(w.form.Picture6, Qt::LeftButton);
    QCOMPARE(Windows::graphX(g), QStringLiteral("101 150 200"));
    QCOMPARE(w.vars.pagePoints, 60);
    w.read(1);
    QCOMPARE(w.vars.pagePoints, 61); // following the readings again
}

void TestGraphForm::cursorBoxes_data()
{
    QTest::addColumn<QPointF>("pointer");
    QTest::addColumn<int>("nameLeft"); // Label1 and Label3
    QTest::addColumn<QPoint>("value"); // Label2
    QTest::newRow("left") << QPointF(10, 100) << 10 << QPoint(10, 103);
    QTest::newRow("x 600") << QPointF(600, 100) << 492 << QPoint(600, 103);
    QTest::newRow("right edge") << QPointF(703, 100) << 492 << QPoint(604, 103);
    QTest::newRow("bottom") << QPointF(600, 480) << 492 << QPoint(600, 466);
}

void TestGraphForm::cursorBoxes()
{
    QFETCH(QPointF, pointer);
    QFETCH(int, nameLeft);
    Windows w;
    GraphForm *g = w.open();
    QVERIFY(g);
    Windows::move(g->Picture1->inner(), pointer);
    QCOMPARE(g->Label1->pos(), QPoint(nameLeft, 0));
    QCOMPARE(g->Label3->pos(), QPoint(nameLeft, 468));
    QTEST(g->Label2->pos(), "value");
    QCOMPARE(g->Line1->x(), qRound(pointer.x()));
    for (QLabel *box : {g->Label1, g->Label2, g->Label3})
        QVERIFY(box->isVisible());
    QVERIFY(g->Line1->isVisible());
}

void TestGraphForm::cursorTexts()
{
    Windows w;
    w.read(3);
    w.vars.log[2].valueText = QStringLiteral(".OL");
    GraphForm *g = w.open();
    QVERIFY(g);
    QWidget *area = g->Picture1->inner();

    Windows::move(area, {4, 50}); // n = 1
    QCOMPARE(g->Label2->text(), QStringLiteral("00000uF"));
    QCOMPARE(g->Label1->text(), w.vars.log[1].funcName);
    QVERIFY(!g->Label1->text().isEmpty());
    QCOMPARE(g->Label3->text(), QStringLiteral("14.05.2012\\07:03:31"));
    QCOMPARE(QWidget::mouseGrabber(), area);

    Windows::move(area, {10.5, 50}); // 1.5 to 2: the overload keeps its unit here
    QCOMPARE(g->Label2->text(), QStringLiteral(".OLuF"));

    Windows::move(area, {3, 50}); // n = 0: empty boxes, still shown
    QCOMPARE(g->Label1->text(), QString());
    QCOMPARE(g->Label2->text(), QString());
    QCOMPARE(g->Label3->text(), QString());
    QVERIFY(g->Label2->isVisible());

    Windows::move(area, {704, 50});
    for (QLabel *box : {g->Label1, g->Label2, g->Label3}) {
        QVERIFY(!box->isVisible());
        QCOMPARE(box->text(), QString());
    }
    QVERIFY(!g->Line1->isVisible());
    QCOMPARE(QWidget::mouseGrabber(), nullptr);
}

void TestGraphForm::pagingPicturesFollowTheButton()
{
    Windows w;
    GraphForm *g = w.open();
    QVERIFY(g);
    PictureButton *b = g->imgbtnright;
    const QImage normal = b->pixmap().toImage();
    QTest::mousePress(b, Qt::LeftButton, {}, {30, 10});
    const QImage held = b->pixmap().toImage();
    QVERIFY(held != normal);
    Windows::move(b, {30, 40}); // the pointer's place does not matter here
    QCOMPARE(b->pixmap().toImage(), held);
    QTest::mouseRelease(b, Qt::LeftButton, {}, {30, 10});
    QCOMPARE(b->pixmap().toImage(), normal);
    QVERIFY(b->toolTip().isEmpty());
}

void TestGraphForm::printButtonReachesThePanel()
{
    Windows w;
    GraphForm *g = w.open();
    QVERIFY(g);
    QSignalSpy spy(&w.form, &ShowForm::graphPrintRequested);
    QTest::mouseClick(g->Command1, Qt::LeftButton);
    QCOMPARE(spy.count(), 1);
    QCOMPARE(spy.at(0).at(0).value<GraphForm *>(), g);
}

QTEST_MAIN(TestGraphForm)
#include "tst_graphform.moc"
