#pragma once

#include "meterlink/pipelineviews.h"

#include <QWidget>

class Clock;
class GVarMod;
class LocaleForms;
class QLabel;
class QTimer;

// The panel beside the readout: the table of readings, newest on top, the count, the
// clock and the toolbar.
class DataForm final : public QWidget, public ReadingTableView {
    Q_OBJECT
public:
    DataForm(GVarMod &vars, const Clock &clock, const LocaleForms &forms, QWidget *parent = nullptr);

    void Form_Load();
    void Timer1_Timer();

    void setCountCaption(const QString &text) override;
    void insertRowOnTop(const QString &nrText) override;
    void setCurrentRowText(int column, const QString &text) override;

    QLabel *Label1 = nullptr; // the clock
    QLabel *Label2 = nullptr; // "MAX:  50000"
    QLabel *Label3 = nullptr; // "DatenNr."
    QLabel *Label4 = nullptr; // the number of records
    QTimer *Timer1 = nullptr;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    GVarMod &m_vars;
    const Clock &m_clock;
    const LocaleForms &m_forms;
};
