#include "limitflow.h"

#include "gvarmod.h"
#include "serialcomm.h"

#include "platform/messagebox.h"
#include "table/logfiles.h"

LogLimitFlow::LogLimitFlow(LimitFlowPartners partners) : m_p(std::move(partners)) { }

void LogLimitFlow::runLimitFlow()
{
    if (m_p.messages.askYesNo(QStringLiteral("Bitte abspeichern!")) && m_p.vars.recordCount > 0) {
        const LogFileServices files{m_p.vars, m_p.clock, m_p.forms, m_p.messages};
        // A failed save has told the user already; the readings are kept for another try
        // from the table's toolbar.
        if (saveTextReport(files, m_p.dialog, QStringLiteral("Kalvendo Report"))
            != SaveResult::Saved)
            return;
    }
    resetLog();
}

void LogLimitFlow::resetLog()
{
    m_p.vars.clearLog();
    m_p.table.resetTable(QStringLiteral("FUN"));
    m_p.trendChart.clearAndRedraw();
    m_p.table.setCountCaption(QStringLiteral("0"));
    m_p.comm.setRThreshold(0);
    if (m_p.startResync)
        m_p.startResync();
}
