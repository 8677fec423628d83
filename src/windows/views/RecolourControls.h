#pragma once

#include <QColor>

class QWidget;

namespace gw {

// The colour that replaces the system's 3D-light colour in the windows' controls (silver).
QColor ReplacementColour();
QColor System3DLightColour();

// Gives every input control, grid, list, text area, numeric label and chart of the window whose
// colour is `find` the colour `put`; other colours and other kinds of controls stay.
void RecolourControls(QWidget* window, const QColor& find, const QColor& put);
// With the system's 3D-light colour and the replacement colour, as every window does at creation.
void RecolourControls(QWidget* window);

} // namespace gw
