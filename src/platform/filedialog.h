#pragma once

#include <QString>

// A modal file-save dialog. Each instance remembers the name last chosen in it and
// offers it the next time.
class FileDialog {
public:
    virtual ~FileDialog() = default;
    // filter: "description|pattern", e.g. "text files (*.txt)|*.txt".
    // Returns the full path of the chosen file, or an empty text on cancel.
    virtual QString askSaveFileName(const QString &title, const QString &filter) = 0;
};
