#include "platform/file_facts.h"

#include <cerrno>
#include <cstring>

#include <elf.h>
#include <sys/stat.h>
#include <unistd.h>

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QMimeDatabase>

namespace ventaro {

namespace {

// Words a translator gives in the user's language.
struct Files
{
    Q_DECLARE_TR_FUNCTIONS(Files)
};

} // namespace

namespace {

bool startsWithShebang(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && file.read(2) == "#!";
}

// The first folder on the way to path that this process cannot enter.
QString blockedFolderOf(const QString &path)
{
    const QString absolute = QFileInfo(path).absoluteFilePath();
    qsizetype slash = absolute.indexOf(u'/', 1);
    while (slash > 0) {
        const QString folder = absolute.left(slash);
        if (::access(QFile::encodeName(folder).constData(), X_OK) != 0)
            return folder;
        slash = absolute.indexOf(u'/', slash + 1);
    }
    return {};
}

// The path an ELF program asks the kernel to load it with (PT_INTERP).
QString elfLoader(QFile &file)
{
    file.seek(0);
    Elf64_Ehdr header{};
    if (file.read(reinterpret_cast<char *>(&header), sizeof header) != qint64(sizeof header)
        || std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 || header.e_ident[EI_CLASS] != ELFCLASS64)
        return {};
    for (int i = 0; i < header.e_phnum && i < 256; ++i) {
        Elf64_Phdr program{};
        if (!file.seek(qint64(header.e_phoff) + qint64(i) * header.e_phentsize)
            || file.read(reinterpret_cast<char *>(&program), sizeof program) != qint64(sizeof program))
            return {};
        if (program.p_type == PT_INTERP && program.p_filesz < 4096 && file.seek(qint64(program.p_offset)))
            return QFile::decodeName(file.read(qint64(program.p_filesz)).chopped(1));
    }
    return {};
}

} // namespace

FileFacts examineFile(const QString &path)
{
    FileFacts facts;
    const QByteArray native = QFile::encodeName(path);
    struct stat info {};
    if (::stat(native.constData(), &info) != 0) {
        if (errno == EACCES) {
            facts.kind = FileKind::NoAccess;
            facts.blockedFolder = blockedFolderOf(path);
        }
        return facts;
    }
    if (S_ISDIR(info.st_mode)) {
        facts.kind = FileKind::Folder;
        return facts;
    }
    facts.mayExecute = S_ISREG(info.st_mode) && ::access(native.constData(), X_OK) == 0;
    const bool xBit = (info.st_mode & (S_IXUSR | S_IXGRP | S_IXOTH)) != 0;

    static const QMimeDatabase database;
    const QMimeType type = database.mimeTypeForFile(path, QMimeDatabase::MatchContent);
    if (type.inherits(QStringLiteral("application/x-executable")) || startsWithShebang(path))
        facts.kind = FileKind::Program;
    else if (type.inherits(QStringLiteral("text/plain")) && xBit)
        facts.kind = FileKind::Script;
    else if (type.name() == QLatin1String("application/octet-stream") && xBit)
        facts.kind = FileKind::Program; // unknown to the database: the kernel has the last word
    else
        facts.kind = FileKind::Document;
    return facts;
}

QString missingPartOf(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const QByteArray first = file.readLine(4096);
    if (first.startsWith("#!")) {
        QByteArray line = first.mid(2);
        if (line.endsWith('\n'))
            line.chop(1);
        if (line.endsWith('\r'))
            return Files::tr("its first line ends in a carriage return: save it with Unix line endings");
        const QByteArray interpreter = line.trimmed().split(' ').value(0).split('\t').value(0);
        if (!interpreter.isEmpty() && !QFileInfo::exists(QFile::decodeName(interpreter)))
            return Files::tr("its interpreter %1 does not exist").arg(QFile::decodeName(interpreter));
        return {};
    }
    const QString loader = elfLoader(file);
    if (!loader.isEmpty() && !QFileInfo::exists(loader))
        return Files::tr("the loader it names, %1, does not exist").arg(loader);
    return {};
}

} // namespace ventaro
