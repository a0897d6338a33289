#pragma once

#include <QPixmap>
#include <QString>

// The program's pictures, drawn as SVG and rendered at the size a control shows them.
// name is the file name without ".svg", e.g. "conn_1".
QPixmap picture(const QString &name, QSize size);
