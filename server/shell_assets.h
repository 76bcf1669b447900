#pragma once
// The style and the script of the pages the server writes (assets/shell.css and assets/shell.js,
// built into the program).
#include <QByteArray>
#include <QString>

// The asset of that name ("shell.css", "shell.js") with its content type; empty for any other.
QByteArray ShellAsset(const QString& name, QByteArray& contentType);
