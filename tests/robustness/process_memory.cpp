#include "process_memory.h"

#include <QDir>
#include <QFile>
#include <QString>

#include <map>
#include <unistd.h>
#include <vector>

namespace {

// Pss of /proc/<pid>/smaps_rollup in kB; 0 when the process is gone.
std::int64_t ProportionalKb(const QString& pid)
{
    QFile rollup(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
    if (!rollup.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray& line : rollup.readAll().split('\n'))
        if (line.startsWith("Pss:"))
            return line.mid(4).trimmed().split(' ').value(0).toLongLong();
    return 0;
}

// The parent's pid from /proc/<pid>/stat; the command may hold blanks and parentheses, so the
// fields are read after its last ')'.
QString ParentOf(const QString& pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return {};
    const QByteArray text = stat.readAll();
    const QList<QByteArray> fields = text.mid(text.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 1 ? QString::fromLatin1(fields[1]) : QString();
}

}  // namespace

ProcessMemory MeasureProcessMemory(std::int64_t pid)
{
    std::multimap<QString, QString> children;
    for (const QString& pid : QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        bool number = false;
        pid.toInt(&number);
        if (number)
            children.emplace(ParentOf(pid), pid);
    }
    const QString self = QString::number(pid != 0 ? pid : std::int64_t(getpid()));
    ProcessMemory memory;
    memory.ownKb = ProportionalKb(self);
    std::vector<QString> pending{self};
    while (!pending.empty()) {
        const QString parent = pending.back();
        pending.pop_back();
        const auto range = children.equal_range(parent);
        for (auto child = range.first; child != range.second; ++child) {
            memory.childrenKb += ProportionalKb(child->second);
            ++memory.children;
            pending.push_back(child->second);
        }
    }
    return memory;
}
