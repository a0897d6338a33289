#pragma once

#include <QDateTime>

// The system clock. Every date-and-time text is made from one reading of it, so a
// stamp taken at midnight cannot mix the day before with the time after.
class Clock {
public:
    virtual ~Clock() = default;
    virtual QDateTime now() const = 0;
};

class SystemClock final : public Clock {
public:
    QDateTime now() const override { return QDateTime::currentDateTime(); }
};
