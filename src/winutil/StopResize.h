#pragma once

class QWidget;

// The question window's minimum outer size. Limits are pixels; 0 leaves that limit as it was.
namespace StopResize {
void SetSizeLimits(QWidget *window, float minWidth, float minHeight, float maxWidth, float maxHeight);
// Gives window back the limits it had before SetSizeLimits.
void ClearSizeLimits(QWidget *window);
} // namespace StopResize
