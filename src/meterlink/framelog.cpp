#include "framelog.h"

Q_LOGGING_CATEGORY(lcFrames, "kalvendo.frames", QtInfoMsg)
