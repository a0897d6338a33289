#include "tableprint.h"

#include "meterlink/gvarmod.h"
#include "platform/clock.h"
#include "platform/localeforms.h"
#include "platform/messagebox.h"
#include "platform/printer.h"

#include <array>

namespace {

constexpr std::array<int, 5> kColumnX{1100, 2100, 5100, 6600, 7600};
constexpr int kHeadingY = 1200;
constexpr int kRowStep = 400;
constexpr int kLastRowY = 15600; // the 36th row of a page
constexpr int kFooterY = 16000;

// Every step of the printout goes through here, so that the first refusal of the printer
// ends it.
class TablePage {
public:
    TablePage(Printer &printer, const LocaleForms &forms, const Clock &clock)
        : m_printer(printer), m_forms(forms), m_clock(clock)
    {
    }

    bool head()
    {
        static const std::array<QString, 5> headings{QStringLiteral("Nr."), QStringLiteral("Funk"),
            QStringLiteral("Daten"), QStringLiteral("Gerät"), QStringLiteral("Zeit")};
        if (!(m_printer.setPaperSize(Printer::PaperSize::A4)
                && m_printer.setOrientation(Printer::Orientation::Portrait)
                && m_printer.setFontName(QStringLiteral("Arial")) && m_printer.setFontSize(24)
                && m_printer.setFontBold(true)
                && textAt(2200, 400, QStringLiteral("Kalvendo Report"))
                && m_printer.setFontSize(15)))
            return false;
        for (std::size_t c = 0; c < headings.size(); ++c) {
            if (!textAt(kColumnX[c], kHeadingY, headings[c]))
                return false;
        }
        return true;
    }

    bool row(int y, const ReadingRecord &record)
    {
        return m_printer.setFontName(QStringLiteral("Arial")) && m_printer.setFontSize(12)
            && m_printer.setFontBold(false)
            && textAt(kColumnX[0], y, u' ' + QString::number(record.nr) + u' ')
            && textAt(kColumnX[1], y, record.funcName) && textAt(kColumnX[2], y, record.valueText)
            && textAt(kColumnX[3], y, record.unit) && textAt(kColumnX[4], y, record.stamp);
    }

    // In whatever font the page's last text left.
    bool footer(int page)
    {
        const std::optional<int> width = m_printer.pageWidth();
        if (!width)
            return false;
        const QString text = QStringLiteral("Seite ") + QString::number(page)
            + QStringLiteral("   (") + m_forms.shortDate(m_clock.now().date()) + u')';
        return textAt(*width / 2 - 2000, kFooterY, text);
    }

private:
    bool textAt(int x, int y, const QString &text)
    {
        return m_printer.setCurrentPosition(x, y) && m_printer.printText(text);
    }

    Printer &m_printer;
    const LocaleForms &m_forms;
    const Clock &m_clock;
};

bool printPages(Printer &printer, const GVarMod &vars, const LocaleForms &forms, const Clock &clock)
{
    TablePage page(printer, forms, clock);
    int n = 1;
    if (!page.head())
        return false;
    int y = kHeadingY;
    const int count = vars.recordCount;
    for (int i = 1; i <= count; ++i) {
        y += kRowStep;
        if (!page.row(y, vars.log[i]))
            return false;
        if (y >= kLastRowY) {
            // A full page: its footer, then the next page's head. When the log ends here
            // that page keeps only its head and footer.
            if (!page.footer(n) || !printer.newPage() || !page.head())
                return false;
            y = kHeadingY;
            ++n;
        }
    }
    return page.footer(n) && printer.endDocument();
}

} // namespace

bool printTable(Printer &printer, const GVarMod &vars, const LocaleForms &forms, const Clock &clock,
    MessageBox &messages)
{
    if (printPages(printer, vars, forms, clock))
        return true;
    messages.tell(QStringLiteral("druck Fehler Bericht!"));
    printer.abort();
    return false;
}
