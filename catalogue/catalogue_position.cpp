#include "catalogue_position.h"

QString PositionLabelText(std::int32_t category, std::int32_t position)
{
    return QStringLiteral("Cat=%1 PosInCat=%2").arg(category).arg(position);
}
