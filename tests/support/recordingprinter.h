#pragma once

#include "platform/printer.h"

#include <QList>
#include <QString>

// A printer that notes what is drawn on which page, and can be told to refuse one
// operation.
class RecordingPrinter final : public Printer {
public:
    struct Text {
        int page;
        int x, y;
        QString family;
        double points;
        bool bold;
        QString text;
    };
    struct Line {
        int page;
        LineStyle style;
        QPoint from, to;
    };
    struct Circle {
        int page;
        bool filled;
        QPoint centre;
        int radius;
    };
    struct Layout {
        int page;
        PaperSize size;
        Orientation orientation;
    };

    int sheetWidth = 11906;
    int failAt = -1; // the number of the operation that fails, counting from 0

    int pages = 1;
    bool ended = false;
    bool aborted = false;
    int operations = 0;
    int afterFailure = 0; // operations attempted after the refusal
    QList<Text> texts;
    QList<Line> lines;
    QList<Circle> circles;
    QList<Layout> layouts;
    QList<QLatin1String> log; // one word per operation, in order

    QList<Text> textsOn(int page) const
    {
        QList<Text> out;
        for (const Text &t : texts)
            if (t.page == page)
                out << t;
        return out;
    }

    bool setPaperSize(PaperSize size) override
    {
        if (!step("paper"))
            return false;
        m_size = size;
        layouts << Layout{pages, m_size, m_orientation};
        return true;
    }
    bool setOrientation(Orientation orientation) override
    {
        if (!step("orientation"))
            return false;
        m_orientation = orientation;
        layouts << Layout{pages, m_size, m_orientation};
        return true;
    }
    bool setFontName(const QString &family) override { return set(m_family, family, "font"); }
    bool setFontSize(double points) override { return set(m_points, points, "size"); }
    bool setFontBold(bool bold) override { return set(m_bold, bold, "bold"); }
    bool setCurrentPosition(int x, int y) override
    {
        if (!step("position"))
            return false;
        m_pos = {x, y};
        return true;
    }
    bool printText(const QString &text) override
    {
        if (!step("text"))
            return false;
        texts << Text{pages, m_pos.x(), m_pos.y(), m_family, m_points, m_bold, text};
        return true;
    }
    std::optional<int> pageWidth() override
    {
        if (!step("width"))
            return std::nullopt;
        return sheetWidth;
    }
    bool newPage() override
    {
        if (!step("newPage"))
            return false;
        ++pages;
        return true;
    }
    bool endDocument() override
    {
        if (!step("end"))
            return false;
        ended = true;
        return true;
    }
    void abort() override
    {
        log << QLatin1String("abort");
        aborted = true;
    }
    bool setLineStyle(LineStyle style) override { return set(m_style, style, "style"); }
    bool line(QPoint from, QPoint to) override
    {
        if (!step("line"))
            return false;
        lines << Line{pages, m_style, from, to};
        return true;
    }
    bool setFillSolid() override { return set(m_filled, true, "fill"); }
    bool circle(QPoint centre, int radius) override
    {
        if (!step("circle"))
            return false;
        circles << Circle{pages, m_filled, centre, radius};
        return true;
    }

private:
    bool step(const char *name)
    {
        if (m_failed) {
            ++afterFailure;
            return false;
        }
        log << QLatin1String(name);
        if (operations++ == failAt) {
            m_failed = true;
            return false;
        }
        return true;
    }
    template <typename T> bool set(T &field, T value, const char *name)
    {
        if (!step(name))
            return false;
        field = value;
        return true;
    }

    bool m_failed = false;
    PaperSize m_size = PaperSize::A4;
    Orientation m_orientation = Orientation::Portrait;
    QString m_family;
    double m_points = 0;
    bool m_bold = false;
    QPoint m_pos;
    LineStyle m_style = LineStyle::Solid;
    bool m_filled = false;
};
