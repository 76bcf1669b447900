#include "zoom_steps.h"

#include <QtGlobal>

#include <array>

namespace {
constexpr std::array<double, 14> steps = {0.3, 0.5, 0.67, 0.8, 0.9, 1.0, 1.1, 1.2, 1.33, 1.5, 1.7, 2.0, 2.4, 3.0};
// A factor set from outside (or one rounded by the engine) may lie a hair off a step.
constexpr double tolerance = 0.005;
}  // namespace

double ZoomInStep(double factor)
{
    for (const double step : steps)
        if (step > factor + tolerance)
            return step;
    return steps.back();
}

double ZoomOutStep(double factor)
{
    for (auto step = steps.rbegin(); step != steps.rend(); ++step)
        if (*step < factor - tolerance)
            return *step;
    return steps.front();
}

QString ZoomPercentText(double factor) { return QString::number(qRound(factor * 100)) + u'%'; }
