#pragma once
// Reads the catalogue sources: one JSON file of records (catalogue.json) in a source folder.
// Projects take the texts of their organisation and may override any of them; a JSON null
// becomes a NULL in the database. Positions and numbers within departments follow file order.
#include "catalogue_content.h"

#include <QString>

class CatalogueSource {
public:
    // Throws std::runtime_error naming the file and the faulty record.
    static CatalogueContent load(const QString& sourceFolder);
    static CatalogueContent parse(const QByteArray& json, const QString& fileName);
};
