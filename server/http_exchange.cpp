#include "http_exchange.h"

QString Request::argument(const QString& name) const
{
    for (const auto& [key, value] : arguments)
        if (key == name)
            return value;
    return QString();
}

bool Request::hasArgument(const QString& name) const
{
    for (const auto& argument : arguments)
        if (argument.first == name)
            return true;
    return false;
}

QByteArray Request::header(const QByteArray& name) const
{
    for (const auto& [key, value] : headers)
        if (key.compare(name, Qt::CaseInsensitive) == 0)
            return value;
    return QByteArray();
}
