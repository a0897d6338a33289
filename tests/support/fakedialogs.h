#pragma once

#include "platform/filedialog.h"
#include "platform/messagebox.h"

#include <QStringList>

#include <functional>

// A file dialog that returns scripted names and notes how it was asked.
class FakeFileDialog final : public FileDialog {
public:
    QStringList answers; // taken from the front; empty means cancel
    QStringList titles;
    QStringList filters;
    std::function<void()> whileOpen; // runs as if the dialog's event loop did

    QString askSaveFileName(const QString &title, const QString &filter) override
    {
        titles << title;
        filters << filter;
        if (whileOpen)
            whileOpen();
        return answers.isEmpty() ? QString() : answers.takeFirst();
    }
};

// Message boxes answered by the test.
class FakeMessageBox final : public MessageBox {
public:
    QList<bool> answers; // for askYesNo, from the front; No when empty
    QStringList asked;   // every text shown, questions and notices alike
    std::function<void()> whileOpen;

    bool askYesNo(const QString &text) override
    {
        asked << text;
        if (whileOpen)
            whileOpen();
        return !answers.isEmpty() && answers.takeFirst();
    }
    void tell(const QString &text) override
    {
        asked << text;
        if (whileOpen)
            whileOpen();
    }
};
