#include "qtfiledialog.h"

#include "meterlink/modalgate.h"

#include <QFileDialog>

QString QtFileDialog::qtFilter(const QString &filter)
{
    QStringList entries;
    const QStringList parts = filter.split(u'|');
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        const QString &description = parts[i];
        const QString &pattern = parts[i + 1];
        entries << (description.contains(pattern) ? description
                                                  : QStringLiteral("%1 (%2)").arg(description, pattern));
    }
    return entries.join(QStringLiteral(";;"));
}

QString QtFileDialog::askSaveFileName(const QString &title, const QString &filter)
{
    QFileDialog dialog(m_parent, title);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setFileMode(QFileDialog::AnyFile);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    dialog.setNameFilter(qtFilter(filter));
    if (!m_lastName.isEmpty())
        dialog.selectFile(m_lastName);
    ModalGate::Scope open(m_modal);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty())
        return {};
    m_lastName = dialog.selectedFiles().constFirst();
    return m_lastName;
}
