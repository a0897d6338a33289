#pragma once

#include <QString>

// Modal message boxes under the program's title "Kalvendo", without an icon.
class MessageBox {
public:
    virtual ~MessageBox() = default;
    // Yes and No; true for Yes.
    virtual bool askYesNo(const QString &text) = 0;
    // OK only.
    virtual void tell(const QString &text) = 0;
};
