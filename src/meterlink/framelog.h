#pragma once

#include <QLoggingCategory>

// Hex dumps of every frame taken and every buffer discarded, off by default.
// Turn on with QT_LOGGING_RULES="kalvendo.frames.debug=true".
Q_DECLARE_LOGGING_CATEGORY(lcFrames)
