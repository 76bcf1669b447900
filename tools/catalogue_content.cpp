#include "catalogue_content.h"

QString CatalogueContent::label(const QString& key, int language) const
{
    const auto it = labels.constFind(key);
    return it == labels.constEnd() ? key : (*it)[language];
}
