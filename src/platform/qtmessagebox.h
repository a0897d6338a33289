#pragma once

#include "messagebox.h"

class ModalGate;
class QWidget;

// QMessageBox under "Kalvendo", without an icon, modal over its parent.
class QtMessageBox final : public MessageBox {
public:
    QtMessageBox(ModalGate &modal, QWidget *parent = nullptr) : m_modal(modal), m_parent(parent) {}
    void setParent(QWidget *parent) { m_parent = parent; }

    bool askYesNo(const QString &text) override;
    void tell(const QString &text) override;

private:
    ModalGate &m_modal;
    QWidget *m_parent;
};
