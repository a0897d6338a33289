#pragma once

#include "meterlink/limitflow.h"
#include "meterlink/pipelineviews.h"

#include <QWidget>

#include <functional>

class Clock;
class FileDialog;
class GVarMod;
class LocaleForms;
class MessageBox;
class Printer;
class QAction;
class QLabel;
class QTableView;
class QTimer;
class QToolBar;
class ReadingTableModel;

// The panel beside the readout: the table of readings, newest on top, the count, the
// clock and the toolbar that clears, saves, exports and prints the log.
class DataForm final : public QWidget, public ReadingTableView, public LimitTableView {
    Q_OBJECT
public:
    // commonDialog: this panel's own CommonDialog1. trendChart: the readout's chart, which
    // "new" empties. startResync: stops frame reception and waits for a quiet line before
    // taking frames again.
    DataForm(GVarMod &vars, const Clock &clock, const LocaleForms &forms, FileDialog &commonDialog,
        MessageBox &messages, Printer &printer, ChartView &trendChart,
        std::function<void()> startResync, QWidget *parent = nullptr);
    ~DataForm() override;

    void Form_Load();
    void Timer1_Timer();
    // A click on the toolbar button with this key: "new", "save", "to_xls" or "print".
    void Toolbar1_ButtonClick(const QString &key);

    void setCountCaption(const QString &text) override;
    void insertRowOnTop(const QString &nrText) override;
    void setCurrentRowText(int column, const QString &text) override;
    void resetTable(const QString &column1Header) override;

    // The grid as a whole: row 0 is the header row, the last row the empty one.
    int Rows() const;
    QString TextMatrix(int row, int column) const;
    QAction *toolbarButton(const QString &key) const;

    QTableView *MSFlexGrid1 = nullptr;
    QToolBar *Toolbar1 = nullptr;
    QLabel *Label1 = nullptr; // the clock
    QLabel *Label2 = nullptr; // "MAX:  50000"
    QLabel *Label3 = nullptr; // "DatenNr."
    QLabel *Label4 = nullptr; // the number of records
    QTimer *Timer1 = nullptr;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void buildGrid();
    void buildToolbar();

    GVarMod &m_vars;
    const Clock &m_clock;
    const LocaleForms &m_forms;
    FileDialog &m_commonDialog;
    MessageBox &m_messages;
    Printer &m_printer;
    ChartView &m_trendChart;
    std::function<void()> m_startResync;
    ReadingTableModel *m_model = nullptr;
};
