#pragma once
// Zoom levels of the HTML view: the steps desktop browsers use, from 30% to 300%. The zoom lasts
// for the session only and is never saved.
#include <QString>

// The next larger step above the given factor; the largest step stays where it is.
double ZoomInStep(double factor);
// The next smaller step below the given factor; the smallest step stays where it is.
double ZoomOutStep(double factor);
// The zoom as a person reads it: "125%" for 1.25, "67%" for 0.67.
QString ZoomPercentText(double factor);
// The factor of actual size.
constexpr double ActualSizeZoom = 1.0;
