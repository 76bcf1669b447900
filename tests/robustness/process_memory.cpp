#include "process_memory.h"

#include <QDir>
#include <QFile>
#include <QString>

#include <map>
#include <unistd.h>
#include <vector>

namespace {

struct Proportional {
    std::int64_t pssKb = 0;
    std::int64_t allocatedKb = 0;  // Pss_Anon and Pss_Shmem
};

// The Pss lines of /proc/<pid>/smaps_rollup in kB; zeros when the process is gone.
Proportional ProportionalKb(const QString& pid)
{
    Proportional result;
    QFile rollup(QStringLiteral("/proc/%1/smaps_rollup").arg(pid));
    if (!rollup.open(QIODevice::ReadOnly))
        return result;
    for (const QByteArray& line : rollup.readAll().split('\n')) {
        const qsizetype colon = line.indexOf(':');
        const QByteArray key = line.left(colon);
        const std::int64_t kb = line.mid(colon + 1).trimmed().split(' ').value(0).toLongLong();
        if (key == "Pss")
            result.pssKb = kb;
        else if (key == "Pss_Anon" || key == "Pss_Shmem")
            result.allocatedKb += kb;
    }
    return result;
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
    const Proportional own = ProportionalKb(self);
    memory.ownKb = own.pssKb;
    memory.allocatedKb = own.allocatedKb;
    memory.ownAllocatedKb = own.allocatedKb;
    std::vector<QString> pending{self};
    while (!pending.empty()) {
        const QString parent = pending.back();
        pending.pop_back();
        const auto range = children.equal_range(parent);
        for (auto child = range.first; child != range.second; ++child) {
            const Proportional descendant = ProportionalKb(child->second);
            memory.childrenKb += descendant.pssKb;
            memory.allocatedKb += descendant.allocatedKb;
            ++memory.children;
            pending.push_back(child->second);
        }
    }
    return memory;
}
