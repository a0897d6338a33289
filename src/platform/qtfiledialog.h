#pragma once

#include "filedialog.h"

class ModalGate;
class QWidget;

// QFileDialog as a modal save dialog. Replacing an existing file asks nothing and no
// extension is added to a name typed without one.
class QtFileDialog final : public FileDialog {
public:
    QtFileDialog(ModalGate &modal, QWidget *parent = nullptr) : m_modal(modal), m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }

    QString askSaveFileName(const QString &title, const QString &filter) override;

    // "text files (*.txt)|*.txt" -> "text files (*.txt)"
    static QString qtFilter(const QString &filter);

private:
    ModalGate &m_modal;
    QWidget *m_parent;
    QString m_lastName;
};
