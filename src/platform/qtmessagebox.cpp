#include "qtmessagebox.h"

#include "meterlink/modalgate.h"

#include <QMessageBox>

namespace {

int run(ModalGate &modal, QWidget *parent, const QString &text, QMessageBox::StandardButtons buttons)
{
    QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Kalvendo"), text, buttons, parent);
    ModalGate::Scope open(modal);
    return box.exec();
}

} // namespace

bool QtMessageBox::askYesNo(const QString &text)
{
    return run(m_modal, m_parent, text, QMessageBox::Yes | QMessageBox::No) == QMessageBox::Yes;
}

void QtMessageBox::tell(const QString &text)
{
    run(m_modal, m_parent, text, QMessageBox::Ok);
}
