#pragma once

#include <QLabel>
#include <QMouseEvent>

// A picture that acts as a button: it shows a pixmap and reports clicks, presses,
// releases and pointer movements, like the picture controls the forms were drawn with.
class PictureButton final : public QLabel {
    Q_OBJECT
public:
    explicit PictureButton(QWidget *parent = nullptr) : QLabel(parent) {}

signals:
    void clicked();
    void pressed();
    void released();
    void moved(QPointF position);

protected:
    void mousePressEvent(QMouseEvent *event) override
    {
        if (isEnabled())
            emit pressed();
        event->accept();
    }
    void mouseReleaseEvent(QMouseEvent *event) override
    {
        if (!isEnabled())
            return;
        emit released();
        if (rect().contains(event->position().toPoint()))
            emit clicked();
    }
    void mouseMoveEvent(QMouseEvent *event) override { emit moved(event->position()); }
};
