#pragma once

#include "meterlink/readingpipeline.h"
#include "meterlink/readoutstate.h"
#include "services.h"

#include <QWidget>

#include <memory>

class ConnectForm;
class DataForm;
class GraphForm;
class LogLimitFlow;
class ShowForm;

// The main window: a fixed-size frame holding the connection strip, the readout with its
// trend chart and the reading table. It owns the serial component's handler, the
// running extremes and the save on exit.
class MainForm final : public QWidget {
    Q_OBJECT
public:
    static constexpr QSize clientSize{938, 640};

    explicit MainForm(const Services &services, QWidget *parent = nullptr);
    ~MainForm() override;

    // startPort: a device to open in place of the bridge lookup (empty: look it up).
    void MDIForm_Load(const QString &startPort = {});
    // The unload: close the port and the graph window, offer to save the log.
    void MDIForm_Unload();

    RunningExtremes extremes; // varmin and varmax

    ConnectForm *connectForm() const { return m_connect; }
    ShowForm *showForm() const { return m_show; }
    DataForm *dataForm() const { return m_data; }
    const Services &services() const { return m_services; }

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void openStartPort(const QString &portName);
    // The graph window's "Druck": its page on one landscape sheet.
    void printGraphForm(GraphForm *graph);

    Services m_services;
    ShowForm *m_show = nullptr;
    ConnectForm *m_connect = nullptr;
    DataForm *m_data = nullptr;
    ReadingPipeline m_pipeline;
    std::unique_ptr<LogLimitFlow> m_limit;
    bool m_unloaded = false;
};
