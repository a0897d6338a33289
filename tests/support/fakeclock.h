#pragma once

#include "platform/clock.h"

// A clock the test sets.
class FakeClock final : public Clock {
public:
    explicit FakeClock(QDateTime when = QDateTime(QDate(2012, 5, 14), QTime(7, 3, 31)))
        : current(when) {}
    QDateTime now() const override { return current; }
    QDateTime current;
};
