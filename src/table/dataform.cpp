#include "dataform.h"

#include "logfiles.h"
#include "readingtablemodel.h"
#include "tableprint.h"

#include "meterlink/gvarmod.h"
#include "platform/clock.h"
#include "platform/localeforms.h"
#include "platform/pictures.h"
#include "platform/uifonts.h"

#include <QAction>
#include <QHeaderView>
#include <QLabel>
#include <QPainter>
#include <QTableView>
#include <QTimer>
#include <QToolBar>

namespace {

QLabel *captionLabel(QWidget *parent, QRect twips, const QString &text)
{
    auto *l = new QLabel(text, parent);
    l->setGeometry(px(twips.x()), px(twips.y()), px(twips.width()), px(twips.height()));
    l->setFont(uiFont(QStringLiteral("MS Sans Serif"), 12, true));
    QPalette p = l->palette();
    p.setColor(QPalette::WindowText, Qt::black);
    l->setPalette(p);
    return l;
}

std::array<QString, ReadingTableModel::columns> headerTexts(const QString &column1)
{
    return {QStringLiteral("Nr."), column1, QStringLiteral("Daten"), QStringLiteral("Gerät"),
        QStringLiteral("Zeit")};
}

} // namespace

DataForm::DataForm(GVarMod &vars, const Clock &clock, const LocaleForms &forms,
    FileDialog &commonDialog, MessageBox &messages, Printer &printer, ChartView &trendChart,
    std::function<void()> startResync, QWidget *parent)
    : QWidget(parent), m_vars(vars), m_clock(clock), m_forms(forms), m_commonDialog(commonDialog),
      m_messages(messages), m_printer(printer), m_trendChart(trendChart),
      m_startResync(std::move(startResync))
{
    setObjectName(QStringLiteral("DataForm"));
    Label3 = captionLabel(this, {1800, 600, 1215, 375}, QStringLiteral("DatenNr."));
    Label4 = captionLabel(this, {3120, 600, 1455, 375}, QStringLiteral("0"));
    Label2 = captionLabel(this, {4680, 600, 1575, 375}, QStringLiteral("MAX:  50000"));
    Label1 = captionLabel(this, {3600, 8640, 3015, 375}, QString());
    Label1->setAlignment(Qt::AlignCenter);
    buildToolbar();
    buildGrid();

    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    connect(Timer1, &QTimer::timeout, this, &DataForm::Timer1_Timer);
}

DataForm::~DataForm() = default;

void DataForm::buildGrid()
{
    m_model = new ReadingTableModel(m_vars, this);
    // The stored layout: the header row with "Nr." over the fixed column, one empty row.
    m_model->reset({QStringLiteral("Nr."), {}, {}, {}, {}});

    MSFlexGrid1 = new QTableView(this);
    MSFlexGrid1->setObjectName(QStringLiteral("MSFlexGrid1"));
    MSFlexGrid1->setGeometry(px(240), px(960), px(6015), px(7575));
    MSFlexGrid1->setFont(uiFont(QStringLiteral("Arial"), 9.75));
    MSFlexGrid1->setModel(m_model);
    MSFlexGrid1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    MSFlexGrid1->setSelectionMode(QAbstractItemView::SingleSelection);
    MSFlexGrid1->setWordWrap(false);
    MSFlexGrid1->setCornerButtonEnabled(false);

    // The columns fill the grid's width, so the number column never scrolls away.
    MSFlexGrid1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    MSFlexGrid1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QHeaderView *columns = MSFlexGrid1->horizontalHeader();
    columns->setFont(MSFlexGrid1->font());
    columns->setSectionsClickable(false);
    columns->setHighlightSections(false);
    columns->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    columns->setSectionResizeMode(QHeaderView::Fixed);
    columns->setStretchLastSection(true);
    const int widths[] = {46, 96, 60, 50}; // "MOhm" and "kOhm" fit the unit column
    for (int c = 0; c < int(std::size(widths)); ++c)
        columns->resizeSection(c, widths[c]);

    // Rows of one fixed height: inserting one costs the same with 1 or 50000 rows, as
    // nothing is measured per row.
    QHeaderView *rows = MSFlexGrid1->verticalHeader();
    rows->hide();
    rows->setSectionResizeMode(QHeaderView::Fixed);
    rows->setMinimumSectionSize(1);
    rows->setDefaultSectionSize(17);
}

void DataForm::buildToolbar()
{
    Toolbar1 = new QToolBar(this);
    Toolbar1->setObjectName(QStringLiteral("Toolbar1"));
    Toolbar1->setGeometry(px(240), px(480), px(1410), px(390));
    Toolbar1->setIconSize({16, 16});
    Toolbar1->setMovable(false);
    Toolbar1->setFloatable(false);
    // Four 16-pixel buttons in 94 pixels: without the style's margins they all fit and
    // no overflow button appears.
    Toolbar1->setContentsMargins(0, 0, 0, 0);
    Toolbar1->setStyleSheet(QStringLiteral("QToolBar { border: none; padding: 0px; spacing: 0px; }"
                                           "QToolButton { padding: 1px; margin: 0px; }"));
    struct Button {
        const char *key;
        const char *icon;
        const char *tip;
    };
    static constexpr Button kButtons[]
        = {{"new", "tb_new", "Neu"}, {"save", "tb_save", "Speichern"},
            {"to_xls", "tb_xls", "Export"}, {"print", "tb_print", "Drucken"}};
    for (const Button &b : kButtons) {
        const QString key = QString::fromLatin1(b.key);
        QAction *action = Toolbar1->addAction(
            QIcon(picture(QString::fromLatin1(b.icon), {16, 16})), QString::fromUtf8(b.tip));
        action->setObjectName(key);
        action->setData(key);
        connect(action, &QAction::triggered, this, [this, key] { Toolbar1_ButtonClick(key); });
    }
}

void DataForm::Form_Load()
{
    Timer1_Timer();
    setGeometry(500, 40, 438, 600);
    m_model->reset(headerTexts(QStringLiteral("Funk")));
    Label1->move(Label1->x(), Label1->y() + px(80));
    Timer1->start();
}

void DataForm::Timer1_Timer()
{
    Label1->setText(m_forms.clockText(m_clock.now()));
}

void DataForm::Toolbar1_ButtonClick(const QString &key)
{
    if (key == QLatin1String("new")) {
        m_vars.clearLog();
        resetTable(QStringLiteral("Funk"));
        m_trendChart.clearAndRedraw();
        return;
    }
    const bool save = key == QLatin1String("save");
    const bool toXls = key == QLatin1String("to_xls");
    const bool print = key == QLatin1String("print");
    if (!(save || toXls || print) || m_vars.recordCount < 1)
        return;

    const LogFileServices files{m_vars, m_clock, m_forms, m_messages};
    if (save)
        saveTextReport(files, m_commonDialog, QStringLiteral("Kalvendo Daten Logger"));
    else if (toXls)
        saveTabExport(files, m_commonDialog);
    else
        printTable(m_printer, m_vars, m_forms, m_clock, m_messages);
    // Frames that arrived meanwhile are stale and the line may be mid-frame: whatever
    // the outcome, wait for a quiet line before taking readings again.
    if (m_startResync)
        m_startResync();
}

void DataForm::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.drawPixmap(0, 0, picture(QStringLiteral("dataform_bg"), {438, 600}));
}

void DataForm::setCountCaption(const QString &text)
{
    Label4->setText(text);
}

void DataForm::insertRowOnTop(const QString &)
{
    // Column 0 shows the record's own number, which the text given is.
    m_model->insertOnTop();
    MSFlexGrid1->selectionModel()->setCurrentIndex(
        m_model->index(0, 0), QItemSelectionModel::NoUpdate);
}

void DataForm::setCurrentRowText(int column, const QString &)
{
    m_model->markWritten(column);
}

void DataForm::resetTable(const QString &column1Header)
{
    m_model->reset(headerTexts(column1Header));
}

int DataForm::Rows() const
{
    return m_model->rowCount() + 1;
}

QString DataForm::TextMatrix(int row, int column) const
{
    if (row == 0)
        return m_model->headerData(column, Qt::Horizontal).toString();
    return m_model->data(m_model->index(row - 1, column)).toString();
}

QAction *DataForm::toolbarButton(const QString &key) const
{
    return Toolbar1->findChild<QAction *>(key);
}
