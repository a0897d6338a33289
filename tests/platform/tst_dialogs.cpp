// The real message box and file dialog, driven through their own event loops.
#include "meterlink/modalgate.h"
#include "platform/qtfiledialog.h"
#include "platform/qtmessagebox.h"

#include <QAbstractButton>
#include <QApplication>
#include <QFileDialog>
#include <QLibraryInfo>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QTranslator>

#include <functional>

namespace {

// Runs check on the modal dialog once it is up, from inside its event loop.
template <typename Dialog>
void whenOpen(std::function<void(Dialog *)> check)
{
    QTimer::singleShot(0, [check] {
        auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget());
        if (!dialog) {
            QTimer::singleShot(10, [check] { whenOpen<Dialog>(check); });
            return;
        }
        check(dialog);
    });
}

} // namespace

class TestDialogs : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void messageBoxIsGermanWithoutIcon();
    void saveDialogAsksNothingAndRemembers();
    void filterFromDescriptionAndPattern_data();
    void filterFromDescriptionAndPattern();
};

void TestDialogs::initTestCase()
{
    auto *translator = new QTranslator(this);
    QVERIFY(translator->load(QStringLiteral("qtbase_de"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)));
    QApplication::installTranslator(translator);
}

void TestDialogs::messageBoxIsGermanWithoutIcon()
{
    ModalGate modal;
    QtMessageBox messages(modal);
    bool seen = false;
    whenOpen<QMessageBox>([&](QMessageBox *box) {
        seen = true;
        QCOMPARE(box->windowTitle(), QStringLiteral("Kalvendo"));
        QCOMPARE(box->icon(), QMessageBox::NoIcon);
        QCOMPARE(box->text(), QStringLiteral("Möchten Sie abspeichern?"));
        QCOMPARE(box->button(QMessageBox::Yes)->text().remove(u'&'), QStringLiteral("Ja"));
        QCOMPARE(box->button(QMessageBox::No)->text().remove(u'&'), QStringLiteral("Nein"));
        QVERIFY(modal.isOpen()); // readings are not logged meanwhile
        box->button(QMessageBox::Yes)->click();
    });
    QVERIFY(messages.askYesNo(QStringLiteral("Möchten Sie abspeichern?")));
    QVERIFY(seen);
    QVERIFY(!modal.isOpen());
}

void TestDialogs::saveDialogAsksNothingAndRemembers()
{
    QTemporaryDir dir;
    const QString name = dir.filePath("messung.txt");
    ModalGate modal;
    QtFileDialog dialog(modal);
    whenOpen<QFileDialog>([&](QFileDialog *d) {
        QCOMPARE(d->windowTitle(), QStringLiteral("Save"));
        QCOMPARE(d->acceptMode(), QFileDialog::AcceptSave);
        QVERIFY(d->testOption(QFileDialog::DontConfirmOverwrite));
        QCOMPARE(d->defaultSuffix(), QString());
        QCOMPARE(d->nameFilters(), QStringList{"text files (*.txt)"});
        QVERIFY(modal.isOpen());
        d->selectFile(name);
        QMetaObject::invokeMethod(d, "accept");
    });
    QCOMPARE(dialog.askSaveFileName(QStringLiteral("Save"), QStringLiteral("text files (*.txt)|*.txt")), name);

    // The next time the dialog offers the name chosen last; cancel gives an empty name.
    QString offered;
    whenOpen<QFileDialog>([&](QFileDialog *d) {
        offered = d->selectedFiles().value(0);
        d->reject();
    });
    QCOMPARE(dialog.askSaveFileName(QStringLiteral("Save"), QStringLiteral("xls files (*.xls)|*.xls")), QString());
    QCOMPARE(offered, name);
    QVERIFY(!modal.isOpen());
}

void TestDialogs::filterFromDescriptionAndPattern_data()
{
    QTest::addColumn<QString>("filter");
    QTest::addColumn<QString>("qt");
    QTest::newRow("text") << "text files (*.txt)|*.txt" << "text files (*.txt)";
    QTest::newRow("xls") << "xls files (*.xls)|*.xls" << "xls files (*.xls)";
    QTest::newRow("pattern not in the description") << "Berichte|*.txt" << "Berichte (*.txt)";
    QTest::newRow("two entries") << "a (*.a)|*.a|b|*.b" << "a (*.a);;b (*.b)";
}

void TestDialogs::filterFromDescriptionAndPattern()
{
    QFETCH(QString, filter);
    QTEST(QtFileDialog::qtFilter(filter), "qt");
}

QTEST_MAIN(TestDialogs)
#include "tst_dialogs.moc"
